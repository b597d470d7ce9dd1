#!/usr/bin/env bash
# Reads the demo's report on stdin (passing it through) and checks that the
# sample form received every sample record, expanded, and nothing else.
set -euo pipefail
report=$(cat)
printf '%s\n' "$report"
received=$(printf '%s\n' "$report" | sed -n 's/^received: //p')
weekday='星期[日一二三四五六]'
date_text='[0-9]{4}年[0-9]{2}月[0-9]{2}日'
time_text='[0-9]{2}:[0-9]{2}:[0-9]{2}'
expected=(
  "^第1位：张三，登记于${date_text} ${time_text}（${weekday}） （已登记）$"
  "^第2位：李四，电话 010-1234 （已登记）$"
  "^第3位：王五，备注：${weekday}复诊 （已登记）$"
)
count=$(printf '%s\n' "$received" | grep -c . || true)
[ "$count" -eq ${#expected[@]} ] || { echo "CHECK FAILED: the form received $count lines, not ${#expected[@]}" >&2; exit 1; }
for i in "${!expected[@]}"; do
  line=$(printf '%s\n' "$received" | sed -n "$((i + 1))p")
  [[ "$line" =~ ${expected[$i]} ]] || { echo "CHECK FAILED: line $((i + 1)) is '$line'" >&2; exit 1; }
done
# The date is today's (or yesterday's, across midnight).
first=$(printf '%s\n' "$received" | head -n 1)
case "$first" in
  *"$(date +%Y年%m月%d日)"* | *"$(date -d yesterday +%Y年%m月%d日)"*) ;;
  *) echo "CHECK FAILED: the date in '$first' is not today's" >&2; exit 1 ;;
esac
echo "CHECK PASSED: the sample form received all ${#expected[@]} sample records, expanded."
