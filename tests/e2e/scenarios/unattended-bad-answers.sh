# Wrong answers files end an unattended run at once with exit code 2, its log naming the
# file, the line and the key; nothing of the product is written. A file the media
# instance can already judge (missing, unknown section or key, a value out of range) stops
# it before it copies itself into %TEMP%; a key that only the way taken needs (a SERVER
# without its data folder) stops the working copy before its first page goes on.

source "$E2E_REPO/tests/e2e/unattended.sh"

stage_cd
temp=$(win_temp_dir)
cases=(
    "C:\\deploy\\none.ini||nu se poate citi"
    "C:\\deploy\\section.ini|[Instalare]|Tip=LOCAL|[Sistem]|Fisierul de raspunsuri C:\\deploy\\section.ini, linia 3, [Sistem]: sectiune necunoscuta"
    "C:\\deploy\\key.ini|[Instalare]|Tip=LOCAL|Folder=C:\\X|linia 3, [Instalare] Folder: cheie necunoscuta"
    "C:\\deploy\\range.ini|[Instalare]|Tip=RETEA|linia 2, [Instalare] Tip: valoare nepermisa \"RETEA\""
)
for entry in "${cases[@]}"; do
    IFS='|' read -r -a parts <<<"$entry"
    file=${parts[0]} expected=${parts[-1]}
    lines=("${parts[@]:1:${#parts[@]}-2}")
    [[ ${lines[0]:-} == "" ]] || write_answers "$file" "${lines[@]}"
    rm -f "$(cpath 'C:\torvinst.log')"
    run_unattended "bad-$(basename "${file//\\//}" .ini)" 'D:\INSTALL.EXE' -auto "$file"
    expect_exit 2 "$file"
    expect_contains "$(run_log)" "$expected"
    expect_no_work_folder "$temp"
    nothing_installed
done

# Right in form, lacking what a SERVER needs: the working copy finds out.
write_answers 'C:\deploy\server.ini' '[Instalare]' 'Tip=SERVER' 'Program=C:\WinTorv'
rm -f "$(cpath 'C:\torvinst.log')"
run_unattended server 'D:\INSTALL.EXE' -auto 'C:\deploy\server.ini'
expect_exit 2 "a SERVER without its data folder"
expect_contains "$(run_log)" "Fisierul de raspunsuri C:\\deploy\\server.ini, [Instalare] Date: lipseste"
nothing_installed
