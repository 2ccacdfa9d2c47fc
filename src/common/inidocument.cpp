#include "common/inidocument.h"

#include "common/sjis.h"
#include "common/textutil.h"

#include <QFileInfo>

namespace zk {

namespace {

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

} // namespace

IniDocument IniDocument::parse(QByteArrayView bytes) {
    IniDocument doc;
    for (const QByteArray &line : splitLines(bytes)) {
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (line.size() >= 2 && line.startsWith('[') && line.endsWith(']')) {
            doc.m_sections.append({line.mid(1, line.size() - 2), {}});
            continue;
        }
        if (!doc.m_sections.isEmpty())
            doc.m_sections.last().lines.append(line);
    }
    return doc;
}

IniDocument IniDocument::load(const QString &path) {
    if (!QFileInfo::exists(path))
        return {};
    return parse(readFileBytes(path));
}

QByteArray IniDocument::toBytes() const {
    QByteArray out;
    for (const Section &s : m_sections) {
        out += '[' + s.name + "]\r\n";
        for (const QByteArray &line : s.lines)
            out += line + "\r\n";
        out += "\r\n";
    }
    return out;
}

bool IniDocument::sameName(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char ca = a[i], cb = b[i];
        if (sjis::isLeadByte(uchar(ca)) && i + 1 < a.size()) {
            // A double-byte character: both bytes must match exactly.
            if (ca != cb || a[i + 1] != b[i + 1])
                return false;
            ++i;
            continue;
        }
        if (asciiLower(ca) != asciiLower(cb))
            return false;
    }
    return true;
}

const IniDocument::Section *IniDocument::findSection(QByteArrayView name) const {
    for (const Section &s : m_sections) {
        if (sameName(s.name, name))
            return &s;
    }
    return nullptr;
}

qsizetype IniDocument::findKey(const Section &section, QByteArrayView key) {
    for (qsizetype i = 0; i < section.lines.size(); ++i) {
        const QByteArray &line = section.lines[i];
        const qsizetype eq = line.indexOf('=');
        if (eq >= 0 && sameName(QByteArrayView(line).first(eq), key))
            return i;
    }
    return -1;
}

std::optional<QByteArray> IniDocument::value(QByteArrayView section, QByteArrayView key) const {
    const Section *s = findSection(section);
    if (!s)
        return std::nullopt;
    const qsizetype i = findKey(*s, key);
    if (i < 0)
        return std::nullopt;
    const QByteArray &line = s->lines[i];
    return line.mid(line.indexOf('=') + 1);
}

void IniDocument::setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value) {
    const QByteArray line = key.toByteArray() + '=' + value.toByteArray();
    Section *s = const_cast<Section *>(findSection(section));
    if (!s) {
        m_sections.append({section.toByteArray(), {line}});
        return;
    }
    const qsizetype i = findKey(*s, key);
    if (i >= 0)
        s->lines[i] = line;
    else
        s->lines.append(line);
}

} // namespace zk
