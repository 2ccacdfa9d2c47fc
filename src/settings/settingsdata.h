#pragma once

#include "common/listtable.h"
#include "common/tinisaveprops.h"
#include "settings/fontrows.h"

#include <QList>
#include <QStringList>

namespace zk {

// What the settings dialog edits: the daily calorie standard (setting.ini)
// and the font and standard-calorie lists (font.dat, standard.dat). Each instance reads the files
// afresh; nothing is written unless save() is called.
class SettingsData {
public:
    SettingsData();

    ListTableModel fonts;
    ListTableModel standards;

    int dailyStandard() const { return m_daily; }
    void setDailyStandard(int kcal); // clamped to 0..32767

    // setting.ini, then the two list files; missing files leave the design values.
    void load();
    // Writes setting.ini and the two list files. Throws on the first failure.
    void save();

    // The five parts' fonts and colours; a colour text that is no colour
    // gives the design colour, with its message appended to *problems.
    QList<FontSpec> fontSpecs(QStringList *problems = nullptr) const;
    QStringList limitEntries() const;

    // Called with the new value whenever the daily standard changes.
    std::function<void(int)> dailyStandardChanged;

private:
    TIniSaveProps m_store;
    int m_daily = 2500;
};

} // namespace zk
