#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

namespace zk {

// The text of one INI file, kept as Shift-JIS bytes. Section and key names
// are compared without regard to ASCII letter case; a lookup takes the first
// section of the name and the first key line of the name within it. Nothing
// is trimmed: blanks belong to names and values. Comment lines, empty lines
// and lines before the first section are not kept.
class IniDocument {
public:
    static IniDocument parse(QByteArrayView bytes);
    // A missing file gives an empty document; one that cannot be read throws.
    static IniDocument load(const QString &path);

    // Every section as "[name]", its lines, then an empty line; CR LF throughout.
    QByteArray toBytes() const;

    std::optional<QByteArray> value(QByteArrayView section, QByteArrayView key) const;
    // Replaces the first line of the key in the section, or appends the line
    // to the section, or appends the section to the document.
    void setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value);

    // Compares two names as the document does (ASCII letters without case;
    // the second byte of a double-byte character is never folded).
    static bool sameName(QByteArrayView a, QByteArrayView b);

private:
    struct Section {
        QByteArray name;
        QList<QByteArray> lines;
    };
    const Section *findSection(QByteArrayView name) const;
    static qsizetype findKey(const Section &section, QByteArrayView key);

    QList<Section> m_sections;
};

} // namespace zk
