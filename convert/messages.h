// Every text the conversion shows a user, kept once.
#pragma once

#include <string_view>

namespace larkfold::messages {

// Warnings of the input checks (shown with the exclamation-mark icon).
inline constexpr std::string_view kNoPerformanceCounter =
    "時間の計測ができません（高分解能パフォーマンスカウンタがサポートされていません）";
inline constexpr std::string_view kSpeedOutOfRange = "速度を0.9 - 1.1までに指定して下さい";
inline constexpr std::string_view kVolumeOutOfRange = "音量(%)を20-200までに指定して下さい";
inline constexpr std::string_view kNotDatFile = "DATファイルを指定して下さい";

// Results of the stages.
inline constexpr std::string_view kFileNotFound = "ファイルが見つかりません";
inline constexpr std::string_view kCannotOpen = "ファイルをオープンできません";
inline constexpr std::string_view kOutOfMemory = "メモリを確保できませんでした";
inline constexpr std::string_view kReadError = "読込エラー";
inline constexpr std::string_view kNoData = "データがありません";
inline constexpr std::string_view kTooLarge = "データが大き過ぎます";
inline constexpr std::string_view kNotSixtiethSecond = "発音単位が1/60秒ではありません";
inline constexpr std::string_view kCannotCreate = "ファイルを作成できませんでした";

// Endings.
inline constexpr std::string_view kCancelled = "中止しました";
inline constexpr std::string_view kFinished = "終了しました";

// The progress window's text is kRemainingBefore, the whole seconds, kRemainingAfter.
inline constexpr std::string_view kRemainingBefore = "残り時間約";
inline constexpr std::string_view kRemainingAfter = "秒";

}  // namespace larkfold::messages
