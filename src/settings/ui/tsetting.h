#pragma once

#include "settings/settingsdata.h"
#include "settings/ui/settingtargets.h"

#include <QDialog>

class QPushButton;
class QSpinBox;
class QToolButton;
class QTreeView;

namespace zk {

// The settings dialog "設定": fonts and colours of five parts, the daily
// calorie standard with further named limits, and the record items. Each
// opening reads the files afresh; only OK writes them.
class TSetting : public QDialog {
    Q_OBJECT
public:
    explicit TSetting(const SettingTargets &targets, QWidget *parent = nullptr);

    // Reads setting.ini and the list files (throws when one cannot be read).
    void load();
    // Rebuilds the main window's limit list from this dialog's values.
    void SetCaloryCombo();
    SettingsData &data() { return m_data; }

    QTreeView *lsvFont;
    QPushButton *spdFontSetting;
    QSpinBox *upddaycal; // its edit field is txtdaycal
    QTreeView *lsvDefine;
    QToolButton *spdDUp;
    QToolButton *spdDDown;
    QPushButton *spdDAdd;
    QPushButton *spdDChange;
    QPushButton *spdDDelete;
    QTreeView *lsvGraph;
    QPushButton *spdAdd;
    QPushButton *spdChange;
    QPushButton *spdDelete;
    QPushButton *spdUp;
    QPushButton *spdDown;
    QPushButton *btnOK;
    QPushButton *btnCancel;

Q_SIGNALS:
    void helpRequested(int context);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildFontTab();
    QWidget *buildCalorieTab();
    QWidget *buildGraphTab();
    void updateButtons();
    static int selectedRow(const QTreeView *view);
    static void selectRow(QTreeView *view, int row);

    void spdFontSettingClick();
    void spdDAddClick();
    void spdDChangeClick();
    void spdDDeleteClick();
    void spdAddClick();
    void spdChangeClick();
    void spdDeleteClick();
    void btnOKClick();

    SettingTargets m_targets;
    SettingsData m_data;
};

} // namespace zk
