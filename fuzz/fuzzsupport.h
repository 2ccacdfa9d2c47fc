#pragma once

#include "common/platform.h"

#include <QLocale>

#include <cstdlib>

namespace zk::fuzz {

// A failed property stops the run, so libFuzzer keeps the input.
inline void check(bool ok) {
    if (!ok)
        std::abort();
}

// The targets that collate or write dates do it as a Japanese desktop would.
inline void useJapaneseRegional() {
    static const bool done = [] {
        Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
        return true;
    }();
    (void)done;
}

} // namespace zk::fuzz
