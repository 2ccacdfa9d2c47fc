#pragma once

#include <QString>

namespace zk {

// What the calorie editor keeps between openings, in a settings file of its
// own ("setting/caleditor.ini"): the overwrite mode and the editor font.
struct EditorSettings {
    bool overwrite = false;
    QString fontFamily = QStringLiteral("ＭＳ 明朝");
    int fontPixelSize = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    friend bool operator==(const EditorSettings &, const EditorSettings &) = default;

    static QString path();
    // A missing file or key keeps the value above; a size that is not a
    // positive number keeps the design size.
    static EditorSettings load();
    // Throws zk::Error when the file cannot be written.
    void save() const;
};

// The path of a new table named by the user, directly under data/. Throws
// zk::Error for an empty name, a name with a folder separator or another
// character file names cannot hold, and a table that already exists.
QString newTablePath(const QString &name);

} // namespace zk
