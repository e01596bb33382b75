#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// The exception family the framework raises. Messages are QStrings and can be
// rewritten while the exception travels (readers prefix file names, paths).
class Exception : public std::exception
{
public:
    explicit Exception(QString p_Komunikat) : FMessage(std::move(p_Komunikat)) {}

    const QString &Message() const noexcept { return FMessage; }
    void SetMessage(QString p_Komunikat)
    {
        FMessage = std::move(p_Komunikat);
        FWhat.clear();
    }

    // UTF-8 copy of the message, refreshed after SetMessage.
    const char *what() const noexcept override;

private:
    QString FMessage;
    mutable QByteArray FWhat;
};

// A text that does not convert to the wanted value.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// Failures of streams and files.
class EStreamError : public Exception
{
public:
    using Exception::Exception;
};

class EFCreateError : public EStreamError
{
public:
    using EStreamError::EStreamError;
};

class EFOpenError : public EStreamError
{
public:
    using EStreamError::EStreamError;
};

class EReadError : public EStreamError
{
public:
    using EStreamError::EStreamError;
};

class EWriteError : public EStreamError
{
public:
    using EStreamError::EStreamError;
};

// A named resource the program does not carry.
class EResNotFound : public Exception
{
public:
    using Exception::Exception;
};

// The framework's own exception class.
class LkException : public Exception
{
public:
    using Exception::Exception;
};

// Message of any exception: ours keep their QString, others are taken as UTF-8.
QString KomunikatWyjatku(const std::exception &p_Wyjatek);
