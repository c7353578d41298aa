# Unattended runs as the scenarios and the demo meet them: answers files, a run that
# nobody answers and its exit code, what a run left on the machine. Sourced after lib.sh
# and staging.sh.

source "$E2E_REPO/tests/e2e/fresh-pages.sh"

# How long a whole unattended installation from the sample media may take.
UNATTENDED_SECONDS=240

# write_answers WINDOWS-PATH LINE...: an answers file, one line per argument, CR LF.
write_answers() {
    local file
    file=$(cpath "$1")
    shift
    mkdir -p "$(dirname "$file")"
    printf '%s\r\n' "$@" >"$file"
}

# run_unattended NAME PROGRAM ARGS...: the installer started as a deployment script
# starts it, then waited for to its end; WIN_EXIT_CODE is its exit code.
run_unattended() {
    local name=$1
    shift
    win_start "$name" --cwd "$E2E_WORK" "$@"
    win_wait_exit "$name" "$UNATTENDED_SECONDS"
}

# expect_exit CODE WHAT: the run ended with this exit code, and its log says so.
expect_exit() {
    expect_equal "$WIN_EXIT_CODE" "$1" "the exit code of $2"
    expect_contains "$(run_log)" "Cod de iesire $1"
}

# run_log: the run log of both instances.
run_log() { tr -d '\r' <"$(cpath 'C:\torvinst.log')" 2>/dev/null; }

# nothing_installed: no program folder and no alias: the machine is as before the run.
nothing_installed() {
    expect_no_file "$(cpath 'C:\WinTorv')"
    if engine_alias TORVEX >/dev/null; then fail "an alias TORVEX was made"; fi
}

# machine_state: what an installation leaves on the machine, one line each, in a form
# that two machines can be compared by: the files under the program, data and engine
# folders with their checksums, the engine's registry values and aliases, WIN.INI's
# [Torvex] and the program group's items.
machine_state() {
    local folder
    for folder in 'C:\WinTorv' 'C:\TorvDate' "$E2E_ENGINE_DIR"; do
        local unix
        unix=$(cpath "$folder")
        [[ -d $unix ]] || continue
        local sum name
        while read -r sum name; do
            name=${name#./}
            printf '%s  %s\\%s\n' "$sum" "$folder" "${name//\//\\}"
        done < <(cd "$unix" && find . -type f ! -name STANDINS.LOG -print0 | sort -z | xargs -0 -r md5sum)
    done
    echo "DLLPATH=$(reg_value "$E2E_ENGINE_KEY" DLLPATH)"
    tr -d '\r' <"$(cpath "$E2E_ENGINE_DIR")/IDAPI32.CFG" 2>/dev/null | sort
    echo "LastUser=$(win_ini_value Torvex LastUser)"
    local group
    group=$(program_group_dir WinTORVEX) && ls "$group"
}
