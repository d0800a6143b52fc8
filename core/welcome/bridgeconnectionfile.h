#pragma once

#include <QString>

// Tells programs the user starts (tools, tests, benchmarks) how to reach the
// web bridge: <runtime folder>/zelto-rideved/bridge-<pid>.json holds
// {"port": N, "token": "..."}. The runtime folder is the user's own
// (QStandardPaths::RuntimeLocation); the subfolder is made with mode 0700
// and the file with 0600, so other users cannot read the token.
class BridgeConnectionFile
{
public:
    BridgeConnectionFile() = default;
    // Removes the file.
    ~BridgeConnectionFile();
    BridgeConnectionFile(const BridgeConnectionFile &) = delete;
    BridgeConnectionFile &operator=(const BridgeConnectionFile &) = delete;

    // Writes the file atomically, after removing the files of instances that
    // no longer run (they were killed or crashed). Returns false, with a
    // warning in the log, when there is no private runtime folder or the file
    // cannot be written.
    bool write(quint16 nPort, const QString &strToken);
    // Removes the file written last; does nothing when there is none.
    void remove();

private:
    QString m_strPath;
};
