# The Mac release's products, for the scripts that make and check it (sourced): where each
# architecture's build leaves a product, where the universal folder and the release hold it,
# and its executable.
# shellcheck disable=SC2034 # read by the scripts that source this
macos_release_products=(
  "TwainTrace.ds:TwainTrace.ds:Contents/MacOS/TwainTrace"
  "tools/sample_bundle/Halvern.bundle:sample/Halvern.bundle:Contents/MacOS/Halvern"
  "tools/adapter_bundle/Halvern.bundle:adapter/Halvern.bundle:Contents/MacOS/Halvern"
  "tools/report:bin:twaintrace-report"
  "tools/replay:bin:twaintrace-replay"
)
