package com.talvora.lumeko.test;

import static com.talvora.lumeko.test.ScriptedPrinter.hex;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;

import com.talvora.lumeko.sdk.BitmapInfo;
import com.talvora.lumeko.sdk.JNIWrapper;
import java.nio.file.Files;
import java.nio.file.Path;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** Pixel files and one-bit image files: no printer. */
class BitmapFileTest {
    private final JNIWrapper wrapper = new JNIWrapper();

    @TempDir
    Path dir;

    private String read(Path file) throws Exception {
        return hex(Files.readAllBytes(file));
    }

    @Test
    void pixelsBecomeRgbBytesReplacedOrAppended() throws Exception {
        Path file = dir.resolve("pixels.rgb");
        int[] pixels = {0xFF102030, 0x00ABCDEF, 0x12345678};
        assertEquals(1, wrapper.writeByteInFile(pixels, 1, file.toString(), false));
        assertEquals("102030", read(file));
        assertEquals(1, wrapper.writeByteInFile(pixels, 2, file.toString(), false));
        assertEquals("102030ABCDEF", read(file));
        assertEquals(1, wrapper.writeByteInFile(pixels, 3, file.toString(), true));
        assertEquals("102030ABCDEF102030ABCDEF345678", read(file));
        // A count of 0 leaves the file as it was, even without append.
        assertEquals(1, wrapper.writeByteInFile(pixels, 0, file.toString(), false));
        assertEquals("102030ABCDEF102030ABCDEF345678", read(file));
    }

    @Test
    void badPixelArgumentsWriteNothing() throws Exception {
        Path file = dir.resolve("bad.rgb");
        int[] pixels = {1, 2};
        assertEquals(0, wrapper.writeByteInFile(null, 0, file.toString(), false));
        assertEquals(0, wrapper.writeByteInFile(pixels, 1, null, false));
        assertEquals(0, wrapper.writeByteInFile(pixels, -1, file.toString(), false));
        assertEquals(0, wrapper.writeByteInFile(pixels, 3, file.toString(), false));
        assertEquals(0, wrapper.writeByteInFile(pixels, 1, "bad\u0000path", false));
        assertFalse(Files.exists(file));
        assertEquals(0, wrapper.writeByteInFile(pixels, 2, dir.resolve("no/dir.rgb").toString(), false));
        // A file that opens but takes no bytes.
        if (Files.exists(Path.of("/dev/full"))) {
            assertEquals(0, wrapper.writeByteInFile(pixels, 2, "/dev/full", true));
        }
    }

    @Test
    void oneBitImageOfAThresholdedPicture() throws Exception {
        Path rgb = dir.resolve("four.rgb");
        int[] pixels = {0xFFFF0000, 0xFF00FF00, 0xFFC86432, 0xFFFFFFFF};
        assertEquals(1, wrapper.writeByteInFile(pixels, 4, rgb.toString(), false));
        Path out = dir.resolve("four.bin");
        BitmapInfo bitmap = new BitmapInfo(rgb.toString(), 4, 1);
        assertEquals(1, wrapper.saveBitmapJNI(bitmap, out.toString(), 1, 128, 0));
        assertEquals("00FF00FF", read(out));
        // toneSwitch changes nothing for the default raster data
        assertEquals(1, wrapper.saveBitmapJNI(bitmap, out.toString(), 1, 128, 1));
        assertEquals("00FF00FF", read(out));

        assertEquals(0, wrapper.saveBitmapJNI(bitmap, dir.resolve("no/dir.bin").toString(), 1, 128, 0));
        if (Files.exists(Path.of("/dev/full"))) {
            assertEquals(0, wrapper.saveBitmapJNI(bitmap, "/dev/full", 1, 128, 0));
        }
        assertEquals(0, wrapper.saveBitmapJNI(new BitmapInfo(dir.resolve("missing").toString(), 4, 1),
                out.toString(), 1, 128, 0));
        assertEquals(0, wrapper.saveBitmapJNI(null, out.toString(), 1, 128, 0));
        assertEquals(39, wrapper.getLastStatusJNI().errorCode);
        assertEquals(0, wrapper.saveBitmapJNI(bitmap, null, 1, 128, 0));
        assertEquals(39, wrapper.getLastStatusJNI().errorCode);
    }
}
