package com.talvora.lumeko.test;

import static org.junit.jupiter.api.Assertions.assertEquals;

import org.junit.jupiter.api.Test;

/** Many callbacks in one native call: local references must not pile up. */
class ObserverStressTest {
    @Test
    void twoThousandRoundsOfCallbacksInOneNativeCall() {
        ScriptedPrinter p = new ScriptedPrinter()
                .objectText("1.3.6.1.2.1.1.1.0", "printer");
        for (int i = 0; i < 2000; ++i) {
            p.queueReceive(new byte[] {1, 2, 3, 4});
        }
        assertEquals(6000, TestHooks.observeMany(p, 2000));
        assertEquals(6000, p.transcript.size());
    }
}
