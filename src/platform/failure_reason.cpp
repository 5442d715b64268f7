#include "platform/failure_reason.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/diagnostics.h"
#include "platform/ui_text.h"

namespace tessera {

namespace {

struct ReasonKind {
    std::string_view phrase;  // lower case, as the English reasons and strerror() say it
    const char* text;         // the source text of the translated reason
};

// Most specific first: a reason may name several things ("cannot open X: no such file").
constexpr ReasonKind kReasonKinds[] = {
    {"no such file", "文件不存在"},
    {"permission denied", "没有访问权限"},
    {"read-only", "文件或文件系统只读"},
    {"no space left", "磁盘空间不足"},
    {"is a folder", "这是一个文件夹, 不是文件"},
    {"is a directory", "这是一个文件夹, 不是文件"},
    {"unknown record file type", "不是 SGF、GIB 或 SGG 棋谱文件"},
    {"records are saved as", "棋谱只能保存为 .sgf 或 .sgg 文件"},
    {"too large", "文件太大"},
    {"locked", "棋谱库正被其他程序使用"},
    {"busy", "棋谱库正被其他程序使用"},
    {"timed out", "网络连接超时"},
    {"timeout", "网络连接超时"},
    {"resolve", "找不到服务器"},
    {"connect", "无法连接服务器"},
    {"http", "服务器拒绝了请求"},
    {"crc", "下载的文件已损坏"},
    {"zip", "下载的文件已损坏"},
    {"cancel", "已取消"},
    {"cannot write", "无法写入文件"},
    {"cannot create", "无法写入文件"},
    {"cannot open", "无法打开文件"},
    {"cannot read", "无法读取文件"},
};

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::string userFailureReason(const std::string& englishReason) {
    if (uiLanguage() == kLanguageEnglish)
        return englishReason;
    logDiagnostic("failure: " + englishReason);
    const std::string lower = lowerCase(englishReason);
    for (const ReasonKind& kind : kReasonKinds)
        if (lower.find(kind.phrase) != std::string::npos)
            return uiText("FailureReason", kind.text);
    return uiText("FailureReason", "数据有误, 无法处理 (详细原因已写入日志 log.txt)");
}

}  // namespace tessera
