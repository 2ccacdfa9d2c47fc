#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Shift-JIS (the Windows mapping, "windows-31j") for the contents of every
// file the program keeps. Bytes that are not valid CP932 never get lost:
// decoded for editing they become U+DC00 + byte and encode back to the byte.
namespace zk::sjis {

enum class Invalid {
    Replace, // show an undecodable byte as U+FFFD (display only)
    Escape,  // keep it as U+DC00 + byte, so that encode() gives it back
};

QString decode(QByteArrayView bytes, Invalid invalid = Invalid::Replace);

// Encodes user text. Look-alike characters that CP932 holds under another
// code point are folded first; escaped bytes come back as they were read.
// A character CP932 cannot hold throws zk::Error naming it.
QByteArray encode(QStringView text);

// Replaces the usual look-alikes (wave dash, em dash, minus sign, ...) with
// the characters CP932 holds.
QString foldLookalikes(QStringView text);

inline bool isLeadByte(uchar b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
inline bool isTrailByte(uchar b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// True when an escaped (undecodable) byte stands in the text.
bool hasEscapes(QStringView text);

} // namespace zk::sjis
