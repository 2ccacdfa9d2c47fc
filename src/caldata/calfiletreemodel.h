#pragma once

#include "caldata/calfiletree.h"

#include <QAbstractItemModel>

namespace zk {

// The folders and tables of a scan, one column of names. The window adds
// the icons for the two kinds.
class CalFileTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role {
        KindRole = Qt::UserRole + 1, // int: CalFileNode::Kind
        PathRole,                    // QString: the full path as found on disk
    };

    explicit CalFileTreeModel(QObject *parent = nullptr);

    const CalFileTree &tree() const { return m_tree; }
    void setTree(CalFileTree tree);
    const CalFileNode *node(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    CalFileTree m_tree;
};

} // namespace zk
