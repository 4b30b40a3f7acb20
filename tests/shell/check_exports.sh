#!/bin/sh
# Fails unless the data source exports exactly its published interfaces: the plain entry
# points, the memory interface, the levelled logger and the analyzer. Library and template
# code linked into it must stay hidden.
# Usage: check_exports.sh NM DATA_SOURCE
set -eu
nm_tool=$1
data_source=$2

exported=$("$nm_tool" -D --defined-only -C "$data_source" | sed 's/^[0-9a-fA-F]* [A-Za-z] //')

allowed='^(DS_Entry|MachO_Initialization|MachO_Termination|CreateTandraTempDirectory)$'
allowed="$allowed"'|^(CDSMInterface|CTwainLog|CParaAnalyze)::'
allowed="$allowed"'|^(vtable|typeinfo|typeinfo name) for CTwainLog$'
leaked=$(printf '%s\n' "$exported" | grep -Ev "$allowed" || true)
if [ -n "$leaked" ]; then
  printf 'exported but not published:\n%s\n' "$leaked"
  exit 1
fi

status=0
for required in DS_Entry MachO_Initialization MachO_Termination CreateTandraTempDirectory \
  'CTwainLog::OutputDebugString(char const\*)' \
  'CTwainLog::GetHeader\[abi:cxx11\]()' \
  'CTwainLog::GetLevelName\[abi:cxx11\](ENUM_LOG_LEVEL_TW::enumLogLevel_tw)' \
  'CTwainLog::FormatString\[abi:cxx11\](char const\*, __va_list_tag\*)' \
  'CTwainLog::Message(ENUM_LOG_LEVEL_TW::enumLogLevel_tw, char const\*, char const\*, int, char const\*, \.\.\.)' \
  'CTwainLog::~CTwainLog()' 'vtable for CTwainLog' 'typeinfo for CTwainLog' \
  'CDSMInterface::AllocMemory(unsigned int)'; do
  if ! printf '%s\n' "$exported" | grep -q "^$required\$"; then
    printf 'not exported: %s\n' "$required"
    status=1
  fi
done
exit $status
