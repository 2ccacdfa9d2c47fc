#pragma once

#include "settings/settingsdata.h"
#include "settings/ui/settingtargets.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <optional>

class QPushButton;
class QTabWidget;
class QSpinBox;
class QToolButton;
class QTreeView;

namespace zk {

// A page that another part of the program adds to the settings dialog (the
// record items): it reads its files after the dialog's own, and OK writes
// them after the dialog's own, before any window changes.
struct SettingPage {
    QString title;
    QWidget *widget = nullptr;
    std::function<void()> load;
    std::function<void()> save;
};

// The settings dialog "設定": fonts and colours of five parts, the daily
// calorie standard with further named limits, and the pages added to it.
// Each opening reads the files afresh; only OK writes them.
class TSetting : public QDialog {
    Q_OBJECT
public:
    explicit TSetting(const SettingTargets &targets, QWidget *parent = nullptr);

    // The page becomes the last tab; the dialog owns its widget.
    void addPage(const SettingPage &page);
    // Reads setting.ini, the list files and the added pages' files (throws
    // when one cannot be read).
    void load();
    // Rebuilds the main window's limit list from this dialog's values.
    void SetCaloryCombo();
    SettingsData &data() { return m_data; }
    // Where 計算... takes the latest body weight from (the record item 体重).
    void setLatestWeight(std::function<std::optional<double>()> source) {
        m_latestWeight = std::move(source);
    }

Q_SIGNALS:
    void helpRequested(int context);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildFontTab();
    QWidget *buildCalorieTab();
    void updateButtons();

    void btnEnergyCalcClick();
    void spdFontSettingClick();
    void spdDAddClick();
    void spdDChangeClick();
    void spdDDeleteClick();
    void btnOKClick();

    QTreeView *lsvFont;
    QPushButton *spdFontSetting;
    QSpinBox *upddaycal; // its edit field is txtdaycal
    QTreeView *lsvDefine;
    QToolButton *spdDUp;
    QToolButton *spdDDown;
    QPushButton *spdDAdd;
    QPushButton *spdDChange;
    QPushButton *spdDDelete;
    QPushButton *btnOK;
    QPushButton *btnCancel;
    SettingTargets m_targets;
    SettingsData m_data;
    std::function<std::optional<double>()> m_latestWeight;
    QTabWidget *m_tabs;
    QList<SettingPage> m_pages;
};

} // namespace zk
