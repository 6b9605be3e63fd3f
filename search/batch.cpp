#include "search/batch.h"

#include "text/gbk_text.h"

namespace wy {

namespace {

constexpr std::string_view kProcessing = "\xD5\xFD\xD4\xDA\xB4\xA6\xC0\xED";  // 正在处理
constexpr std::string_view kItems = "\xB8\xF6";                               // 个

BatchStep StepTo(Batch& batch, int index) {
    batch.index = index;
    return {std::string(batch.list[static_cast<std::size_t>(index - 1)]),
            BatchPositionText(index, batch.list.size()), BatchProgressText(index)};
}

}  // namespace

std::string BatchPositionText(int index, std::size_t count) {
    return Concat(NumberToText(index), "/", NumberToText(static_cast<std::int32_t>(count)));
}

std::string BatchProgressText(int index) { return Concat(kProcessing, NumberToText(index), kItems); }

std::optional<std::string> LoadBatch(Batch& batch, std::string_view fileText) {
    batch.index = 0;
    batch.list = Split(fileText, "\r\n");
    if (batch.list.empty()) return std::nullopt;
    return BatchPositionText(0, batch.list.size());
}

std::optional<BatchStep> StepBatchForward(Batch& batch) {
    if (batch.list.empty() || static_cast<std::size_t>(batch.index) >= batch.list.size()) return std::nullopt;
    return StepTo(batch, batch.index + 1);
}

std::optional<BatchStep> StepBatchBack(Batch& batch) {
    if (batch.list.empty() || batch.index < 2) return std::nullopt;
    return StepTo(batch, batch.index - 1);
}

}  // namespace wy
