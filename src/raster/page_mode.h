#pragma once

// Which page a page command set is built for.
enum PageMode : int {
    PAGE_MODE_FIRST = 0,
    PAGE_MODE_OTHER = 1,
    PAGE_MODE_LAST = 2,
};
