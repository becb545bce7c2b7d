package com.talvora.lumeko.test;

import static org.junit.jupiter.api.Assertions.assertEquals;

import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.Paper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.sdk.PrinterSpec;
import java.io.BufferedReader;
import java.io.InputStreamReader;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;
import java.util.stream.Collectors;
import org.junit.jupiter.api.Test;

/** Every model's PrinterSpec and paper list through the JVM equals the C++ catalogue. */
class AllModelsTest {
    private final JNIWrapper wrapper = new JNIWrapper();

    static String hex(String text) {
        return ScriptedPrinter.hex(text.getBytes(StandardCharsets.UTF_8));
    }

    static List<String> catalogue() throws Exception {
        ProcessBuilder pb = new ProcessBuilder(System.getProperty("lumeko.catalogueDump"));
        // The dump carries its own sanitizer runtime, if any.
        pb.environment().remove("LD_PRELOAD");
        pb.redirectErrorStream(true);
        Process process = pb.start();
        List<String> lines;
        try (BufferedReader r = new BufferedReader(
                new InputStreamReader(process.getInputStream(), StandardCharsets.UTF_8))) {
            lines = r.lines().collect(Collectors.toList());
        }
        assertEquals(0, process.waitFor(), String.join("\n", lines));
        return lines;
    }

    List<String> bridgeView(int model) {
        PrintSettings s = new PrintSettings();
        s.modelId = model;
        s.portId = 1;
        wrapper.initJNI(s);
        List<String> out = new ArrayList<>();
        PrinterSpec spec = wrapper.getPrinterSpec();
        out.add(String.join("|", "spec", "" + model, "" + spec.modelCode, "" + spec.seriesCode,
                "" + spec.usbProductId, "" + spec.headDots, "" + spec.dpi, "" + spec.dpiSecond,
                spec.speedCommand ? "1" : "0", "" + spec.tubeHeadDots, hex(spec.modelName)));
        for (Paper p : wrapper.getPaperList()) {
            out.add(String.join("|", "paper", "" + model, "" + p.paperId,
                    Integer.toUnsignedString(Float.floatToRawIntBits(p.widthMm)),
                    Integer.toUnsignedString(Float.floatToRawIntBits(p.lengthMm)),
                    "" + p.widthDots, "" + p.lengthDots, "" + p.sideMarginDots,
                    "" + p.feedMarginDots, "" + p.printableWidthDots, "" + p.printableLengthDots,
                    "" + p.mediaWidthMm, "" + p.mediaLengthMm, "" + p.leftOffsetDots,
                    "" + p.rightOffsetDots, "" + (p.mediaType & 0xFF), hex(p.paperNameMm),
                    hex(p.paperNameInch)));
        }
        return out;
    }

    @Test
    void everyModelMatchesTheCatalogue() throws Exception {
        List<String> expected = catalogue();
        List<String> actual = new ArrayList<>();
        for (int model = -1; model <= 71; ++model) {
            actual.addAll(bridgeView(model));
        }
        actual.addAll(bridgeView(1000));
        assertEquals(expected.size(), actual.size());
        for (int i = 0; i < expected.size(); ++i) {
            assertEquals(expected.get(i), actual.get(i), "line " + i);
        }
    }
}
