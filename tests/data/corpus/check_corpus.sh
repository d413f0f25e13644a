#!/usr/bin/env bash
# Runs every corpus statement on the engines its "-- engines:" line names and reports each one
# that fails, so the corpus stays real SQL over the sample database.
#
#   check_corpus.sh [--load] [--no-pg] [--no-counts] SQLITE_DB [PG_CONNINFO] [-- FILE...]
#
#   SQLITE_DB    SQLite file holding the sample database (samples/sampledb)
#   PG_CONNINFO  psql connection string of a PostgreSQL database holding it; empty or absent:
#                the usual PG* environment variables (tests/fixtures/pgcluster.sh writes them)
#   --load       first build SQLITE_DB afresh and load the sample into the PostgreSQL database
#   --no-pg      check SQLite only
#   --no-counts  do not compare row counts of statements that run on both engines
#   FILE...      corpus files to check (default: every *.sql next to this script)
#
# A statement that runs on both engines must also return the same number of rows on both:
# that catches statements whose meaning differs between the two (text comparison rules, NULL
# handling), which a test comparing the engines would trip over later.
# Exit status: 0 when every statement ran, 1 when any failed, 2 on wrong usage.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
sampledir=$(cd "$here/../../../samples/sampledb" && pwd)

usage() {
  sed -n '5,14p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

load=0 use_pg=1 counts=1
positional=()
files=()
while [[ $# -gt 0 ]]; do
  case $1 in
    --load) load=1 ;;
    --no-pg) use_pg=0 ;;
    --no-counts) counts=0 ;;
    --) shift; files=("$@"); break ;;
    -h|--help) usage ;;
    -*) echo "check_corpus: unknown option $1" >&2; usage ;;
    *) positional+=("$1") ;;
  esac
  shift
done
[[ ${#positional[@]} -ge 1 && ${#positional[@]} -le 2 ]] || usage
sqlite_db=${positional[0]}
pg_conninfo=${positional[1]:-}
[[ ${#files[@]} -gt 0 ]] || files=("$here"/*.sql)

command -v sqlite3 >/dev/null || { echo "check_corpus: sqlite3 not found (Debian package sqlite3)" >&2; exit 1; }
if [[ $use_pg -eq 1 ]]; then
  command -v psql >/dev/null || { echo "check_corpus: psql not found (Debian package postgresql-client)" >&2; exit 1; }
fi

# -X: no ~/.psqlrc; ON_ERROR_STOP makes a failing statement a non-zero exit status.
psql_cmd=(psql -X -q -A -t -v ON_ERROR_STOP=1)
[[ -n $pg_conninfo ]] && psql_cmd+=("$pg_conninfo")

if [[ $load -eq 1 ]]; then
  rm -f "$sqlite_db"
  cat "$sampledir/schema.sql" "$sampledir/data.sql" | sqlite3 -bail "$sqlite_db" ||
    { echo "check_corpus: loading the sample into $sqlite_db failed" >&2; exit 1; }
  if [[ $use_pg -eq 1 ]]; then
    PGOPTIONS='-c client_min_messages=warning' "${psql_cmd[@]}" -f "$sampledir/schema.sql" -f "$sampledir/data.sql" >/dev/null ||
      { echo "check_corpus: loading the sample into PostgreSQL failed" >&2; exit 1; }
  fi
fi
[[ -f $sqlite_db ]] || { echo "check_corpus: no SQLite file $sqlite_db (use --load)" >&2; exit 1; }

total=0 failed=0 ran_sqlite=0 ran_pg=0 skipped=0

report() {  # file line engine message statement
  failed=$((failed + 1))
  printf '%s:%s: [%s] %s\n' "$1" "$2" "$3" "$4"
  printf '%s\n' "$5" | sed 's/^/    /'
}

# Prints the number of rows the statement returns on one engine, or the error text (and fails).
# The statement is followed by a line break before anything else, as its last line may end in a
# line comment.
output=$(mktemp)
trap 'rm -f "$output"' EXIT

run_sqlite() {
  printf '%s\n;\nSELECT COUNT(*) FROM (\n%s\n) AS corpus_rows;\n' "$1" "$1" |
    timeout 60 sqlite3 -bail -batch "$sqlite_db" 2>&1 >"$output" && tail -n 1 "$output"
}

run_pg() {
  printf '%s\n;\nSELECT COUNT(*) FROM (\n%s\n) AS corpus_rows;\n' "$1" "$1" |
    timeout 60 "${psql_cmd[@]}" -f - 2>&1 >"$output" && tail -n 1 "$output"
}

check_entry() {  # file line engines statement
  local file=$1 line=$2 engines=$3 text=$4 out sqlite_rows="" pg_rows=""
  total=$((total + 1))
  [[ $engines == *none* ]] && { skipped=$((skipped + 1)); return; }
  if [[ $engines == *sqlite* ]]; then
    ran_sqlite=$((ran_sqlite + 1))
    if out=$(run_sqlite "$text"); then sqlite_rows=$out; else report "$file" "$line" sqlite "$out" "$text"; return; fi
  fi
  if [[ $engines == *pg* && $use_pg -eq 1 ]]; then
    ran_pg=$((ran_pg + 1))
    if out=$(run_pg "$text"); then pg_rows=$out; else report "$file" "$line" pg "$out" "$text"; return; fi
  fi
  if [[ $counts -eq 1 && -n $sqlite_rows && -n $pg_rows && $sqlite_rows != "$pg_rows" ]]; then
    report "$file" "$line" both "row counts differ: sqlite $sqlite_rows, pg $pg_rows" "$text"
  fi
}

# Splits a corpus file by the rules of README.md: entries end at a line holding only ";" (or at
# the end of the file); blank and "--" lines before a statement are its header, and a header line
# "-- engines: ..." names the engines (default "sqlite pg").
check_file() {
  local path=$1 name=${1##*/} no=0 line stmt="" first=0 engines="sqlite pg"
  while IFS= read -r line || [[ -n $line ]]; do
    no=$((no + 1))
    line=${line%$'\r'}
    if [[ $line =~ ^[[:blank:]]*\;[[:blank:]]*$ ]]; then
      [[ -n $stmt ]] && check_entry "$name" "$first" "$engines" "$stmt"
      stmt="" engines="sqlite pg"
      continue
    fi
    if [[ -z $stmt ]]; then
      [[ $line =~ ^[[:blank:]]*$ ]] && continue
      if [[ $line =~ ^[[:blank:]]*-- ]]; then
        [[ $line =~ ^[[:blank:]]*--[[:blank:]]*engines:(.*)$ ]] && engines=${BASH_REMATCH[1]}
        continue
      fi
      first=$no
      stmt=$line
    else
      stmt+=$'\n'$line
    fi
  done <"$path"
  [[ -n $stmt ]] && check_entry "$name" "$first" "$engines" "$stmt"
}

for file in "${files[@]}"; do
  check_file "$file"
done

echo "check_corpus: $total statements; ran $ran_sqlite on sqlite, $ran_pg on pg; $skipped run nowhere; $failed failed"
[[ $failed -eq 0 ]]
