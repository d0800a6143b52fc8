#pragma once

#include "extensionsystem/extensionsystem_global.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ExtensionSystem {

/**
 * The command line a starting instance hands to the running one, and its
 * wire format.
 *
 * A message is a 32-bit big-endian payload size followed by the payload: the
 * magic number "ZELT", the protocol version, the options, the working folder
 * and the arguments, laid out as QDataStream (Qt 5.15) writes them. A list is
 * a 32-bit count followed by its strings; a string is a 32-bit byte length
 * (0xFFFFFFFF for a null string) followed by UTF-16 big-endian code units.
 *
 * decode() reads bytes another process sent, so it trusts none of them: every
 * count and length is checked against the bytes actually present before
 * anything is allocated for it, and no input makes it allocate much more than
 * the input's own size. It has no side effects, so it can be fed any bytes.
 */
class EXTENSIONSYSTEM_EXPORT HandOverMessage
{
public:
    enum Status {
        Incomplete,  // a prefix of a message that may still be valid: wait for more
        Complete,    // a whole, valid message; the fields are set
        Malformed    // never a valid message, whatever follows; errorString() says why
    };

    // Largest payload accepted, in bytes; a larger announced size is malformed.
    static const int MaxPayloadSize = 1024 * 1024;

    static QByteArray encode(const QStringList &options, const QString &workingDirectory,
                             const QStringList &arguments);
    // Decodes the message at the start of data; bytes after it are ignored.
    static HandOverMessage decode(const QByteArray &data);

    Status status() const { return m_status; }
    QString errorString() const { return m_strError; }
    QStringList options() const { return m_lstOptions; }
    QString workingDirectory() const { return m_strWorkingDirectory; }
    QStringList arguments() const { return m_lstArguments; }

private:
    Status m_status = Incomplete;
    QString m_strError;
    QStringList m_lstOptions;
    QString m_strWorkingDirectory;
    QStringList m_lstArguments;
};

} // namespace ExtensionSystem
