package com.talvora.lumeko.test;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.PrintSettings;
import org.junit.jupiter.api.Test;

/**
 * Runs against a host jar without JNIStatus, TemplateInfo and CustomPaperInfoCommandData and
 * with another Paper constructor: results that cannot be built are null with code 40 (the custom paper
 * result without touching the code), and no exception is left pending.
 */
class TrimmedHostTest {
    private final JNIWrapper wrapper = new JNIWrapper();

    @Test
    void missingResultClassesGiveNullAnd40() {
        PrintSettings s = new PrintSettings();
        s.modelId = 7;
        s.portId = 1;
        wrapper.initJNI(s);
        s.paperId = 1;
        wrapper.initJNI(s);

        TestHooks.setErrorCode(1);
        assertNull(wrapper.getLastStatusJNI());
        assertEquals(40, TestHooks.errorCode());

        TestHooks.setErrorCode(1);
        assertNull(wrapper.getPaperList());
        assertEquals(40, TestHooks.errorCode());

        assertNull(wrapper.getLabelParamJNI());
        assertEquals(40, TestHooks.errorCode());

        assertNull(wrapper.getStatusJNI(null));
        assertEquals(40, TestHooks.errorCode());

        TestHooks.setErrorCode(3);
        assertNull(wrapper.createCustomPaperInfoCommand("Talvora SN-7500D", "", 2, 2, 62, 100, 3,
                3, 2, 2, 3, 0, 0));
        assertEquals(3, TestHooks.errorCode());

        // Without the template class the printer is not asked for its list.
        TestHooks.setErrorCode(1);
        ScriptedPrinter p = new ScriptedPrinter();
        assertNull(wrapper.getTemplateListJNI(p));
        assertEquals(40, TestHooks.errorCode());
        assertTrue(p.transcript.isEmpty());

        // Classes that are there still work.
        assertNotNull(wrapper.getPrinterSpec());
        assertNotNull(wrapper.getBatteryInfoJNI(null));
    }
}
