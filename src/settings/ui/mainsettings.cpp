#include "settings/ui/mainsettings.h"

#include "common/guard.h"
#include "common/platform.h"
#include "settings/settingsdata.h"
#include "settings/ui/calorycombo.h"
#include "settings/ui/help.h"
#include "settings/ui/tsetting.h"

#include <QAction>
#include <QComboBox>

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
            name, "Checked", [action] { return action->isChecked(); },
            [action](bool checked) { action->setChecked(checked); });
    }
}

void MainSettings::loadOptions() {
    m_isp.FileName = ProgramFolder::file(QStringLiteral("setting/project.ini"));
    guarded([this] { m_isp.Load(); });
}

bool MainSettings::saveOptions() {
    m_isp.FileName = ProgramFolder::file(QStringLiteral("setting/project.ini"));
    return guarded([this] { m_isp.Save(); });
}

void MainSettings::fillLimitList() {
    guarded([this] {
        SettingsData data;
        data.load();
        SetCaloryCombo(m_targets.cmbLimit, data.limitEntries());
    });
    if (m_targets.cmbLimit && m_targets.cmbLimit->currentIndex() < 0 &&
        m_targets.cmbLimit->count() > 0)
        m_targets.cmbLimit->setCurrentIndex(0);
}

void MainSettings::openSettings() {
    TSetting dialog(m_targets, m_window);
    connect(&dialog, &TSetting::helpRequested, this, [](int context) { Help::Helper(context); });
    if (guarded([&] { dialog.load(); }))
        dialog.exec();
}

} // namespace zk
