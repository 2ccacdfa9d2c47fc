#include "common/tinisaveprops.h"

#include "common/error.h"
#include "common/inidocument.h"
#include "common/inttext.h"
#include "common/savefile.h"

#include <cmath>
#include <cstdio>

namespace zk {

void TIniSaveProps::bindBoolean(QByteArray section, QByteArray key, std::function<bool()> get,
                                std::function<void(bool)> set) {
    m_bindings.append({std::move(section), std::move(key), Kind::Boolean,
                       [get = std::move(get)] { return formatBoolean(get()); },
                       [set = std::move(set)](QByteArrayView t) { set(readBoolean(t)); }});
}

void TIniSaveProps::bindInteger(QByteArray section, QByteArray key, std::function<int()> get,
                                std::function<void(int)> set) {
    m_bindings.append({std::move(section), std::move(key), Kind::Integer,
                       [get = std::move(get)] { return formatInteger(get()); },
                       [set = std::move(set)](QByteArrayView t) { set(readInteger(t)); }});
}

void TIniSaveProps::bindDate(QByteArray section, QByteArray key, std::function<double()> get,
                             std::function<void(double)> set) {
    m_bindings.append({std::move(section), std::move(key), Kind::Date,
                       [get = std::move(get)] { return formatDate(get()); },
                       [set = std::move(set)](QByteArrayView t) { set(readDate(t)); }});
}

QString TIniSaveProps::path() const {
    if (FileName.isEmpty()) {
        const QByteArray first = m_bindings.isEmpty() ? QByteArray() : m_bindings.first().section;
        throw Error(QStringLiteral("設定 %1 の保存先のファイルが決まっていません。")
                        .arg(QString::fromLatin1(first)));
    }
    return FileName;
}

void TIniSaveProps::Load() {
    const IniDocument doc = IniDocument::load(path());
    m_loading = true;
    struct ClearMark {
        bool &mark;
        ~ClearMark() { mark = false; }
    } clear{m_loading};
    for (const Binding &b : m_bindings) {
        if (const auto text = doc.value(b.section, b.key))
            b.set(*text);
    }
}

void TIniSaveProps::Save() {
    if (m_loading)
        return;
    const QString file = path();
    IniDocument doc = IniDocument::load(file);
    for (const Binding &b : m_bindings)
        doc.setValue(b.section, b.key, b.get());
    try {
        SaveStringToFile(file, doc.toBytes());
    } catch (const Error &e) {
        // The save's own text says why (a full disk, a folder in the way, ...).
        throw Error(QStringLiteral("ファイル %1 を作成できません").arg(file) + QLatin1Char('\n') +
                    e.text());
    }
}

QByteArray TIniSaveProps::formatBoolean(bool value) {
    return value ? "1" : "0";
}

bool TIniSaveProps::readBoolean(QByteArrayView text) {
    return (readInteger(text) & 0xFF) != 0;
}

QByteArray TIniSaveProps::formatInteger(int value) {
    return QByteArray::number(value);
}

int TIniSaveProps::readInteger(QByteArrayView text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return parseIntText(QByteArray("$") + text.sliced(2).toByteArray()).value_or(0);
    return parseIntText(text).value_or(0);
}

QByteArray TIniSaveProps::formatDate(double days) {
    if (!std::isfinite(days) || days == 0)
        return "0";
    // 15 significant digits, then written out without an exponent.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(days));
    const QByteArray text(buf);
    const qsizetype e = text.indexOf('e');
    QByteArray digits = text.left(e);
    digits.remove(1, 1); // the point after the first digit
    const int exponent = text.mid(e + 1).toInt();
    QByteArray out;
    if (exponent < 0) {
        out = "0." + QByteArray(-exponent - 1, '0') + digits;
    } else if (exponent + 1 >= digits.size()) {
        out = digits + QByteArray(exponent + 1 - digits.size(), '0');
    } else {
        out = digits.left(exponent + 1) + '.' + digits.mid(exponent + 1);
    }
    if (out.contains('.')) {
        while (out.endsWith('0'))
            out.chop(1);
        if (out.endsWith('.'))
            out.chop(1);
    }
    return days < 0 ? '-' + out : out;
}

double TIniSaveProps::readDate(QByteArrayView text) {
    bool ok = false;
    const double v = text.toByteArray().toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

} // namespace zk
