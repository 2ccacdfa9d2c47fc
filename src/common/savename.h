#pragma once

#include <QString>

namespace zk {

// The extension a file chooser's filter gives its files: "png" for
// "PNG (*.png)", the first when it names several; empty for one that names
// none ("すべて (*)").
QString FilterExtension(const QString &filter);

// The name a file typed under a filter is written as: the name itself when it
// ends in the filter's extension, otherwise the name with it. `otherExtension`
// is the extension the name had when it looks like one of another kind of
// file ("jpg" in "graph.jpg"): the user is asked before such a name is changed.
// A dot in a name that ends in digits ("体重 2024.12") is part of the name.
struct NameUnderFilter {
    QString path;
    QString otherExtension;
};
NameUnderFilter NameForFilter(const QString &typed, const QString &filter);

} // namespace zk
