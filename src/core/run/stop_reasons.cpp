#include "core/run/stop_reasons.h"

#include "core/execution/number_rules.h"
#include "core/run/progress_texts.h"

namespace tavorin {
namespace {

// A record can be long and hold line breaks; the box shows one short line.
constexpr std::size_t kLongestRecordShown = 60;

}  // namespace

std::u16string StopReason(DeliveryFault fault, std::int32_t passNumber, const std::u16string& record,
                          const std::u16string& unreachableTarget) {
  switch (fault) {
    case DeliveryFault::kNone:
      return {};
    case DeliveryFault::kInputBlocked:
      return u"屏幕已锁定或输入被其他程序占用，";
    case DeliveryFault::kTargetElevated:
      return u"目标窗口以管理员身份运行，Tavorin 也须以管理员身份启动才能填写它。";
    case DeliveryFault::kTargetUnreachable:
      return unreachableTarget.empty() ? u"指针所在的窗口收不到 Tavorin 的输入。" : unreachableTarget;
    case DeliveryFault::kClipboardLost: {
      const std::u16string what =
          record.empty() ? u"的内容" : u"的记录“" + BadgeRecordText(record, kLongestRecordShown) + u"”";
      return u"第 " + DecimalText(passNumber) + u" 次" + what + u"未能粘贴：剪贴板被其他程序占用。";
    }
  }
  return {};
}

}  // namespace tavorin
