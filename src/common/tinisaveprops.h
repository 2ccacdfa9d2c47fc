#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace zk {

// Remembers a few control values of one window in one INI file. Each binding
// names its section (the control) and key (the property) and reaches the
// value through a getter and a setter, so the store needs no knowledge of the
// controls themselves.
class TIniSaveProps {
public:
    enum class Kind { Boolean, Integer, Date };

    void bindBoolean(QByteArray section, QByteArray key, std::function<bool()> get,
                     std::function<void(bool)> set);
    void bindInteger(QByteArray section, QByteArray key, std::function<int()> get,
                     std::function<void(int)> set);
    // Days since 30 December 1899; the fraction is the time of day.
    void bindDate(QByteArray section, QByteArray key, std::function<double()> get,
                  std::function<void(double)> set);

    // The file of the store, set before it loads or saves. There is no
    // default: a store without a file throws at Load and Save, writing
    // nothing, so that no file ever lands beside the program.
    QString FileName;

    // Reads every bound key present in the file into its setter; a missing
    // file or key leaves the value alone. A Save asked for by a setter while
    // loading does nothing.
    void Load();
    // Writes every binding into the file, keeping the sections and keys no
    // binding owns. Throws "ファイル <path> を作成できません" when the file
    // cannot be written; the old file then stays as it was.
    void Save();
    bool loading() const { return m_loading; }

    // The value texts of each kind.
    static QByteArray formatBoolean(bool value);
    static bool readBoolean(QByteArrayView text);
    static QByteArray formatInteger(int value);
    static int readInteger(QByteArrayView text);
    static QByteArray formatDate(double days);
    static double readDate(QByteArrayView text);

private:
    QString path() const; // throws without a file
    struct Binding {
        QByteArray section;
        QByteArray key;
        Kind kind;
        std::function<QByteArray()> get;
        std::function<void(QByteArrayView)> set;
    };
    QList<Binding> m_bindings;
    bool m_loading = false;
};

} // namespace zk
