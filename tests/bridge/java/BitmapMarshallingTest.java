package com.talvora.lumeko.test;

import static org.junit.jupiter.api.Assertions.assertEquals;

import com.talvora.lumeko.sdk.BitmapInfo;
import org.junit.jupiter.api.Test;

class BitmapMarshallingTest {
    /** A bitmap class lacking "bitmapHeight". */
    static final class FlatBitmap {
        public String bitmapFile = "/tmp/x";
        public int bitmapWidth = 3;
    }

    @Test
    void theFileAndSizeAreTakenWithAllThreeFlagsAndNoPixels() {
        TestHooks.setErrorCode(1);
        assertEquals("1|2F746D702F70C3A9|640|-2|111|none",
                TestHooks.bitmapData(new BitmapInfo("/tmp/p\u00e9", 640, -2)));
        assertEquals(1, TestHooks.errorCode());
    }

    @Test
    void badBitmapObjectsGive39AndLeaveTheRecord() {
        Object[] bad = {null, new FlatBitmap(), new BitmapInfo(null, 1, 1),
            new BitmapInfo("a\u0000b", 1, 1), "not a bitmap"};
        for (Object bitmap : bad) {
            TestHooks.setErrorCode(1);
            assertEquals("0|756E6368616E676564|-7|-8|000|none", TestHooks.bitmapData(bitmap));
            assertEquals(39, TestHooks.errorCode());
        }
    }
}
