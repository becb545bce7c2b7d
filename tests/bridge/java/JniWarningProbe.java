package com.talvora.lumeko.test;

import org.junit.jupiter.api.Test;

/**
 * Not a test of the library: run by the harness's own check, which passes only when the JNI
 * warning this provokes makes the run fail.
 */
class JniWarningProbe {
    @Test
    void skipExceptionCheck() {
        TestHooks.skipExceptionCheck();
    }
}
