#pragma once
// The most characters a memo field (a job's notes) takes: pages of notes,
// but never a whole file pasted or imported into one.
namespace db {
inline constexpr int kMostMemoChars = 32000;
}
