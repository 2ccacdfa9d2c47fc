#pragma once

#include "common/tinisaveprops.h"
#include "settings/ui/settingtargets.h"

#include <QObject>

#include <functional>

class QAction;
class QWidget;

namespace zk {

class TSetting;

// The main window's four remembered menu options.
struct MainOptionActions {
    QAction *mnuFindTopMost = nullptr;
    QAction *mnuArrowDup = nullptr;
    QAction *mnuBanDup = nullptr;
    QAction *mnuConfirmDup = nullptr;
};

// What the main window needs of the settings: its menu options in
// "setting/project.ini", the limit list filled at start-up, and the settings
// dialog opened from its command.
class MainSettings : public QObject {
    Q_OBJECT
public:
    MainSettings(QWidget *window, const MainOptionActions &options, const SettingTargets &targets);

    // Adds the other parts' pages to each settings dialog before it opens.
    void setPages(std::function<void(TSetting &)> addPages) { m_addPages = std::move(addPages); }
    // The calorie-file tree belongs to another window, which may come later.
    void setFileTree(QWidget *trvFile) { m_targets.trvFile = trvFile; }

    // Each reports its own failure; the window goes on.
    void loadOptions();
    bool saveOptions();
    // Fills the limit list from the stored settings, the first entry selected.
    void fillLimitList();
    // Gives the five parts the fonts and colours of "setting/font.dat"; a
    // missing file or row leaves the design values.
    void applyStoredFonts();
    // Opens the settings dialog (its help buttons open the help window); a
    // file that cannot be read keeps it closed.
    void openSettings();

Q_SIGNALS:
    // OK of the settings dialog wrote the files and rebuilt the limit list.
    void settingsSaved();

private:
    QWidget *m_window;
    SettingTargets m_targets;
    TIniSaveProps m_isp;
    std::function<void(TSetting &)> m_addPages;
};

} // namespace zk
