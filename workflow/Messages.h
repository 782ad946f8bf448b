#pragma once
// The program's fixed texts (code page 936 in the compiled program).
namespace Messages {
inline constexpr char kNotice[] = "提示";
inline constexpr char kWarning[] = "警告";
inline constexpr char kChooseImage[] = "请选择install.wim文件 (提示:install.wim文件一般位于系统光盘的sources文件夹下)";
inline constexpr char kFileMissing[] = "文件不存在！";
inline constexpr char kConfirmFormatBefore[] = "该操作会格式化驱动器 ";
inline constexpr char kConfirmFormatAfter[] = ":\\ 上的数据，是否继续？";
inline constexpr char kFormatFirst[] = "请先格式化  ";
inline constexpr char kImagingToolNotStarted[] = "无法启动映像工具 imagex.exe";
inline constexpr char kWorkingBefore[] = "正在处理 ";
inline constexpr char kWorkingAfter[] = "：\\ 的引导，请稍候....";
inline constexpr char kBootDone[] = "：\\ 的引导处理完成";
inline constexpr char kImagingFailed[] = "：\\ 的映像应用失败";
inline constexpr char kBootFailed[] = "：\\ 的引导处理失败";
}  // namespace Messages
