#!/usr/bin/env bash
# Runs the reading tools of zerlant-cli over every file of the real data
# folder and fails only on a crash (exit status above 2).
set -uo pipefail
cli=${1:-build/bin/zerlant-cli}
data=${ZERLANT_DATA:-$(dirname "$0")/../../shared/data}
if [ ! -d "$data" ]; then echo "cli-smoke: no data folder, skipped"; exit 0; fi
status=0
shopt -s nullglob
# thermo twice: every model and column, then the scale factors of the table.
for tool in extract scan aim thermo thermo-scaled convergence next sort ensemble; do
  case $tool in aim) files=("$data"/*.sum) ;; *) files=("$data"/*.log "$data"/*.out) ;; esac
  case $tool in
    thermo) args=(thermo --qh --relative --concentration 1 --temperature 400) ;;
    thermo-scaled) args=(thermo --scale-from-table) ;;
    convergence) args=(convergence --format json) ;;
    next) args=(next --fix --both --dry-run) ;;
    sort) args=(sort --dry-run) ;;
    ensemble) args=(ensemble --by E) ;;
    *) args=("$tool" --all) ;;
  esac
  [ ${#files[@]} -gt 0 ] || continue
  "$cli" "${args[@]}" "${files[@]}" >/dev/null 2>/tmp/cli-smoke.err
  rc=$?
  if [ $rc -gt 2 ]; then echo "cli-smoke: $tool crashed (exit $rc)"; tail -20 /tmp/cli-smoke.err; status=1
  else echo "cli-smoke: $tool over ${#files[@]} files: exit $rc"; fi
done
exit $status
