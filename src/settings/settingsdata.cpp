#include "settings/settingsdata.h"

#include "common/platform.h"
#include "common/storedfiles.h"
#include "settings/standardcalorie.h"

#include <algorithm>

namespace zk {

SettingsData::SettingsData()
    : fonts({QStringLiteral("ﾊﾟｰﾂ"), QStringLiteral("ﾌｫﾝﾄ"), QStringLiteral("ｻｲｽﾞ"),
             QStringLiteral("ｽﾀｲﾙ"), QStringLiteral("文字色"), QStringLiteral("背景色")})
    , standards({QStringLiteral("ﾀｲﾄﾙ"), QStringLiteral("限界ｶﾛﾘｰ")}) {
    for (int c = 2; c < fontRowFields; ++c)
        fonts.setColumnAlignment(c, Qt::AlignHCenter);
    standards.setColumnAlignment(1, Qt::AlignRight);
    standards.setEditableColumns({0});
    fonts.setRows(designFontRows());
    standards.setRows(designStandardRows());
    m_store.bindInteger(
        "upddaycal", "Position", [this] { return m_daily; },
        [this](int v) { setDailyStandard(v); });
}

void SettingsData::setDailyStandard(int kcal) {
    const int v = std::clamp(kcal, 0, dailyStandardMax);
    if (v == m_daily)
        return;
    m_daily = v;
    if (dailyStandardChanged)
        dailyStandardChanged(v);
}

void SettingsData::load() {
    m_store.FileName = ProgramFolder::file(storedfiles::settingIni);
    m_store.Load();
    ListViewLoad(fonts, ProgramFolder::file(storedfiles::fontDat));
    ListViewLoad(standards, ProgramFolder::file(storedfiles::standardDat));
}

void SettingsData::save() {
    m_store.FileName = ProgramFolder::file(storedfiles::settingIni);
    m_store.Save();
    ListViewSave(fonts, ProgramFolder::file(storedfiles::fontDat));
    ListViewSave(standards, ProgramFolder::file(storedfiles::standardDat));
}

QList<FontSpec> SettingsData::fontSpecs(QStringList *problems) const {
    QList<FontSpec> specs;
    for (int part = 0; part < fontPartCount; ++part)
        specs.append(fontSpecFor(fonts.rows(), part, problems));
    return specs;
}

QStringList SettingsData::limitEntries() const {
    return zk::limitEntries(m_daily, standards.rows());
}

} // namespace zk
