#include "caldata/editorsettings.h"

#include "common/error.h"
#include "common/inidocument.h"
#include "common/platform.h"
#include "common/savefile.h"
#include "common/sjis.h"
#include "common/storedfiles.h"
#include "common/tinisaveprops.h"

#include <QFileInfo>

namespace zk {
namespace {

// The sections are named after the controls, as in the other windows' files.
constexpr QByteArrayView overwriteSection = "actOverWrite";
constexpr QByteArrayView fontSection = "Editor";

} // namespace

QString EditorSettings::path() {
    return ProgramFolder::file(storedfiles::caleditorIni);
}

EditorSettings EditorSettings::load() {
    const IniDocument doc = IniDocument::load(path());
    EditorSettings s;
    auto flag = [&](QByteArrayView section, QByteArrayView key, bool &value) {
        if (const auto text = doc.value(section, key))
            value = TIniSaveProps::readBoolean(*text);
    };
    flag(overwriteSection, "Checked", s.overwrite);
    if (const auto name = doc.value(fontSection, "FontName"); name && !name->isEmpty())
        s.fontFamily = sjis::decode(*name);
    if (const auto size = doc.value(fontSection, "FontHeight")) {
        if (const int px = TIniSaveProps::readInteger(*size); px > 0)
            s.fontPixelSize = px;
    }
    flag(fontSection, "FontBold", s.bold);
    flag(fontSection, "FontItalic", s.italic);
    flag(fontSection, "FontUnderline", s.underline);
    flag(fontSection, "FontStrikeOut", s.strikeOut);
    return s;
}

void EditorSettings::save() const {
    IniDocument doc = IniDocument::load(path());
    doc.setValue(overwriteSection, "Checked", TIniSaveProps::formatBoolean(overwrite));
    doc.setValue(fontSection, "FontName", sjis::encode(fontFamily));
    doc.setValue(fontSection, "FontHeight", TIniSaveProps::formatInteger(fontPixelSize));
    doc.setValue(fontSection, "FontBold", TIniSaveProps::formatBoolean(bold));
    doc.setValue(fontSection, "FontItalic", TIniSaveProps::formatBoolean(italic));
    doc.setValue(fontSection, "FontUnderline", TIniSaveProps::formatBoolean(underline));
    doc.setValue(fontSection, "FontStrikeOut", TIniSaveProps::formatBoolean(strikeOut));
    SaveStringToFile(path(), doc.toBytes());
}

QString newTablePath(const QString &name) {
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    if (name.trimmed().isEmpty())
        throw Error(QStringLiteral("ﾃｰﾌﾞﾙ名を入力してください。"));
    for (QChar c : name) {
        if (forbidden.contains(c) || c.unicode() < 0x20)
            throw Error(QStringLiteral("ﾃｰﾌﾞﾙ名に「%1」は使えません。").arg(c));
    }
    if (name.startsWith(u'.'))
        throw Error(QStringLiteral("ﾃｰﾌﾞﾙ名に「.」で始まる名前は使えません。"));
    const QString path = ProgramFolder::file(QStringLiteral("data/%1.cal").arg(name));
    if (QFileInfo::exists(path))
        throw Error(QStringLiteral("「%1」は既にあります。").arg(path));
    return path;
}

} // namespace zk
