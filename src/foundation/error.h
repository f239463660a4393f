#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The system's failures: the message is the Russian text that the boxes show.
class TError : public std::exception
{
public:
    explicit TError(QString message) : Text(std::move(message)), Utf8(Text.toUtf8()) {}
    const QString& Message() const noexcept { return Text; }
    const char* what() const noexcept override { return Utf8.constData(); }

private:
    QString Text;
    QByteArray Utf8;
};

// A stored stream or file that cannot be what it claims to be (damaged, truncated, foreign).
class TStreamError : public TError
{
public:
    using TError::TError;
};

// The text of any failure caught as std::exception, for the "\r\n(%s)" wrapping of messages.
inline QString ErrorText(const std::exception& e)
{
    if (const auto* own = dynamic_cast<const TError*>(&e))
        return own->Message();
    return QString::fromLocal8Bit(e.what());
}
