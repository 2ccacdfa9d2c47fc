#include "settings/ui/mainsettings.h"

#include "common/platform.h"
#include "common/storedfiles.h"
#include "common/textutil.h"
#include "common/ui/guard.h"
#include "common/ui/helptopics.h"
#include "settings/settingsdata.h"
#include "settings/ui/calorycombo.h"
#include "settings/ui/colorpalette.h"
#include "settings/ui/tsetting.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>

namespace zk {

MainSettings::MainSettings(QWidget *window, const MainOptionActions &options,
                           const SettingTargets &targets)
    : QObject(window)
    , m_window(window)
    , m_targets(targets) {
    const std::pair<const char *, QAction *> bound[] = {
        {"mnuFindTopMost", options.mnuFindTopMost},
        {"mnuArrowDup", options.mnuArrowDup},
        {"mnuBanDup", options.mnuBanDup},
        {"mnuConfirmDup", options.mnuConfirmDup},
    };
    for (const auto &[name, action] : bound) {
        if (!action)
            continue;
        m_isp.bindBoolean(
            name, "Checked", [a = action] { return a->isChecked(); },
            [a = action](bool checked) { a->setChecked(checked); });
    }
}

void MainSettings::loadOptions() {
    m_isp.FileName = ProgramFolder::file(storedfiles::projectIni);
    guarded(m_window, [this] { m_isp.Load(); });
}

bool MainSettings::saveOptions() {
    m_isp.FileName = ProgramFolder::file(storedfiles::projectIni);
    return guarded(m_window, [this] { m_isp.Save(); });
}

void MainSettings::fillLimitList() {
    guarded(m_window, [this] {
        SettingsData data;
        data.load();
        SetCaloryCombo(m_targets.cmbLimit, data.limitEntries());
    });
    if (m_targets.cmbLimit && m_targets.cmbLimit->currentIndex() < 0 &&
        m_targets.cmbLimit->count() > 0)
        m_targets.cmbLimit->setCurrentIndex(0);
}

void MainSettings::applyStoredFonts() {
    const QString path = ProgramFolder::file(storedfiles::fontDat);
    if (!QFileInfo::exists(path))
        return;
    guarded(m_window, [&] {
        const ListRows rows = parseListFile(readFileBytes(path));
        const auto parts = m_targets.parts();
        for (int part = 0; part < fontPartCount; ++part)
            applyFontSpec(parts[part], fontSpecFor(rows, part));
    });
}

void MainSettings::openSettings() {
    TSetting dialog(m_targets, m_window);
    if (m_addPages)
        m_addPages(dialog);
    connect(&dialog, &TSetting::helpRequested, this, &HelpTopics::showTopic);
    if (guarded(m_window, [&] { dialog.load(); }) && dialog.exec() == QDialog::Accepted)
        Q_EMIT settingsSaved();
}

} // namespace zk
