#pragma once

#include "caldata/calfiletreemodel.h"

#include <QIcon>

namespace zk {

// The file tree with the pictures of folders and tables.
class CalFileIconModel : public CalFileTreeModel {
    Q_OBJECT
public:
    explicit CalFileIconModel(QObject *parent = nullptr);
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QIcon m_folder;
    QIcon m_table;
    QIcon m_frequent;
};

} // namespace zk
