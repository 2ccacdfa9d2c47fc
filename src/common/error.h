#pragma once

#include <QString>

#include <exception>

namespace zk {

// The one error type of the program: it carries the text shown to the user.
// Thrown by the core, caught by the command guard around every command.
class Error : public std::exception {
public:
    explicit Error(QString text)
        : m_text(std::move(text))
        , m_utf8(m_text.toUtf8()) {}
    const QString &text() const noexcept { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

} // namespace zk
