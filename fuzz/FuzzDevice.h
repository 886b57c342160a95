// Shared by the fuzz targets: one temporary handset for the whole run, message
// boxes answered silently, and a check that stops the run on a broken promise.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace fuzz {

// Selects the temporary device on the first call; later calls do nothing.
void UseDevice();
// Host path of a handset path on that device.
QString Host(const QString& handsetPath);
void WriteHostFile(const QString& hostPath, const QByteArray& bytes);
// The input as UTF-16 units (an odd last byte is dropped), lone surrogates included.
QString Utf16Units(const std::uint8_t* data, std::size_t size);
// Aborts with the message, so libFuzzer keeps the input as a finding.
void Require(bool condition, const char* what);

} // namespace fuzz
