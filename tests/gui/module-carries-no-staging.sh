#!/usr/bin/env bash
# The module a host loads carries the soft platform, but nothing a test stages
# on it and nothing only our hosts use: no probe code, no staged clock, input
# or system answers, no staged drag data or shortcut files, no host window
# and no reading back of pixels. Read from its symbols and from every string in
# the file (the debug information names each member the code keeps).
# Usage: module-carries-no-staging.sh NM MODULE
set -euo pipefail
nm=$1 module=$2
symbols=$("$nm" -C "$module")
text=$(LC_ALL=C tr -c '[:print:]' '\n' <"$module" | grep -E '.{4,}')

# Read at all: the soft platform itself must be there, or finding nothing
# below would prove nothing.
grep -q 'platform::soft::System::' <<<"$symbols" || { echo "no soft platform symbols in $module"; exit 1; }

found=0
for name in 'platform::probe::' StagedAnswers StagedDrag BrvSoftHost createHostWindow readWindow \
            useManualClock advanceClock scheduleInput sleptMilliseconds setSwappedButtons \
            setImagingLibraryPresent setPlatformId makeShortcut makeUnreadable \
            manualClock manualTick ScheduledInput shellLinks unreadableNames DragData; do
  if grep -qF "$name" <<<"$symbols"; then
    echo "symbol with '$name' in $module:"; grep -F "$name" <<<"$symbols" | head -3
    found=1
  elif grep -qF "$name" <<<"$text"; then
    echo "string with '$name' in $module"
    found=1
  fi
done
exit $found
