package com.talvora.lumeko.test;

import static com.talvora.lumeko.test.ScriptedPrinter.bytes;
import static com.talvora.lumeko.test.ScriptedPrinter.hex;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.sdk.TemplatePrintSettings;
import java.nio.charset.StandardCharsets;
import java.util.List;
import java.util.stream.Collectors;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;

/** The template command built over several calls, and its print. */
class TemplateEntryTest {
    /** SN-3200N on USB: template printing, object numbers up to 99. */
    static final int MODEL = 21;
    static final String PREAMBLE = "1B401B6961035E4949";
    static final String CLOSING = "1B6961FF";

    private final JNIWrapper wrapper = new JNIWrapper();

    @BeforeEach
    void select() {
        selectModel(MODEL);
        TemplatePrintSettings t = new TemplatePrintSettings();
        t.skipStatusCheck = true;
        t.checkPrintEnd = 1;
        t.closeWaitDisusingStatusCheckSec = 0;
        t.numberOfCopies = 2;
        t.useCopyCommandInTemplatePrint = true;
        wrapper.setTemplatePrintOptionJNI(t);
        TestHooks.clearTemplateCommand();
    }

    private void selectModel(int model) {
        PrintSettings s = new PrintSettings();
        s.modelId = model;
        s.portId = 1;
        wrapper.initJNI(s);
    }

    static byte[] text(String s) {
        return s.getBytes(StandardCharsets.UTF_8);
    }

    static String hexOf(String s) {
        return hex(text(s));
    }

    @Test
    void editsBuildTheCommandThatThePrintSends() {
        assertEquals(1, wrapper.initKXTCommandJNI(7).errorCode);
        assertEquals(1, wrapper.replaceTextJNI(text("AB")).errorCode);
        assertEquals(1, wrapper.replaceTextIndexJNI(text("CD"), 5).errorCode);
        // The first array names the object, the second is its text.
        assertEquals(1, wrapper.replaceTextNameJNI(text("NAME"), text("X")).errorCode);
        assertEquals(1, wrapper.addToKXTCommandJNI(bytes(0x00, 0xFF)).errorCode);
        assertEquals(1, wrapper.replaceTextJNI(new byte[0]).errorCode);
        String built = hexOf("^TS007") + hexOf("AB") + "09" + hexOf("^OS05CD") + "09"
                + hexOf("^ONNAME") + "00" + hexOf("X") + "09" + "00FF" + "09";
        assertEquals(built, hex(TestHooks.templateCommand()));

        ScriptedPrinter p = new ScriptedPrinter();
        assertEquals(1, wrapper.printKXTCommandJNI(p).errorCode);
        List<String> sent = p.calls("sendDataToPrinter").stream().map(c -> hex(c.data))
                .collect(Collectors.toList());
        assertEquals(List.of(PREAMBLE, built + hexOf("^CN002^FF"), "1B6953", CLOSING), sent);
        // The command stays for a reprint.
        assertEquals(built, hex(TestHooks.templateCommand()));
    }

    @Test
    void refusedEditsReportOnlyTheirOwnCall() {
        wrapper.initKXTCommandJNI(7);
        String built = hex(TestHooks.templateCommand());
        // Null arrays and out-of-range values leave the command alone.
        assertEquals(39, wrapper.replaceTextJNI(null).errorCode);
        assertEquals(39, wrapper.replaceTextIndexJNI(null, 1).errorCode);
        assertEquals(39, wrapper.replaceTextNameJNI(null, text("X")).errorCode);
        assertEquals(39, wrapper.replaceTextNameJNI(text("N"), null).errorCode);
        assertEquals(39, wrapper.addToKXTCommandJNI(null).errorCode);
        assertEquals(39, wrapper.replaceTextNameJNI(text("A-NAME-LONGER-THAN-20"), text("X"))
                .errorCode);
        assertEquals(34, wrapper.replaceTextIndexJNI(text("X"), 100).errorCode);
        assertEquals(built, hex(TestHooks.templateCommand()));
        // The next call starts from a cleared status.
        assertEquals(1, wrapper.replaceTextJNI(text("A")).errorCode);

        // A key of 100 empties the command.
        assertEquals(39, wrapper.initKXTCommandJNI(100).errorCode);
        assertEquals(0, TestHooks.templateCommand().length);
    }

    @Test
    void modelsWithoutTemplatesAndMissingObserversSendNothing() {
        selectModel(24);
        assertEquals(36, wrapper.initKXTCommandJNI(7).errorCode);
        assertEquals(0, TestHooks.templateCommand().length);

        selectModel(MODEL);
        wrapper.initKXTCommandJNI(7);
        ScriptedPrinter p = new ScriptedPrinter();
        assertEquals(39, wrapper.printKXTCommandJNI(null).errorCode);
        assertEquals(40, wrapper.printKXTCommandJNI("not an observer").errorCode);
        assertTrue(p.transcript.isEmpty());

        // A printer that refuses the bytes: a communication error, no closing bytes.
        p = new ScriptedPrinter().fail("sendDataToPrinter", ScriptedPrinter.Fault.REFUSE);
        assertEquals(6, wrapper.printKXTCommandJNI(p).errorCode);
        assertFalse(p.calls("sendDataToPrinter").stream().anyMatch(c -> hex(c.data).equals(CLOSING)));
    }
}
