# The program as Windows reads it before running it and as Explorer shows it, read back from
# the build's INSTALL.EXE by the toolchain's windres and objdump: a manifest that runs it as
# the person who starts it, names Windows Vista to 11 and declares it DPI-aware; a version
# resource of TORVEX's WinTORVEX with the build's version in its fixed part and its
# strings; an icon group whose images are all there; and the image flags: Terminal-Server
# aware, loaded at any address, no code run from data, and on 64-bit the whole address space.
# tags: shipped

requires "$E2E_INSTALLER"
build_value() { sed -n "s/^$1=//p" "$E2E_BUILD/tests/e2e/build.env"; }
version=$(build_value E2E_VERSION)
resources=$("$(build_value E2E_WINDRES)" -i "$E2E_INSTALLER" -O rc) || fail "windres cannot read INSTALL.EXE"
flags=$("$(build_value E2E_OBJDUMP)" -p "$E2E_INSTALLER" | sed -n '/^DllCharacteristics/,/^SizeOfStackReserve/p')
printf '%s\n' "$resources" >resources.rc

# The manifest as its text, with windres's doubled quotes made single again.
manifest=$(sed -n '/RT_MANIFEST/,/^END/p' <<<"$resources" | sed 's/""/"/g')
# Microsoft's identifiers of the Windows versions a program was made for.
for needle in 'level="asInvoker"' "version=\"$version\"" '>true</dpiAware>' \
    '{e2011457-1546-43c5-a5fe-008deee3d3f0}' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' \
    '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}' '{1f676c76-80e1-4239-95bb-83d0f6d0da78}' \
    '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
    expect_contains "$manifest" "$needle"
done

for needle in "FILEVERSION ${version//./, }" "PRODUCTVERSION ${version//./, }" '"CompanyName", "TORVEX"' \
    '"ProductName", "WinTORVEX"' '"FileDescription", "WinTORVEX - program de instalare"' \
    "\"FileVersion\", \"$version\"" "\"ProductVersion\", \"$version\"" '"OriginalFilename", "INSTALL.EXE"'; do
    expect_contains "$resources" "$needle"
done

# Icon group 1, and each image it names among the icons.
group=$(sed -n '/^1 14 \/\* RT_GROUP_ICON/,/^END/p' <<<"$resources")
images=$(sed -En 's/.*, ([0-9]+),?[[:space:]]*\/\* Element no.*/\1/p' <<<"$group")
(( $(wc -w <<<"$images") >= 2 )) || fail "icon group 1 names fewer than two images: $group"
for image in $images; do
    grep -qxF "$image 3 /* RT_ICON */" <<<"$resources" || fail "icon group 1 names image $image, which is not there"
done

expected=(TERMINAL_SERVICE_AWARE DYNAMIC_BASE NX_COMPAT)
if (( E2E_BITS == 64 )); then expected+=(HIGH_ENTROPY_VA); fi
for flag in "${expected[@]}"; do
    expect_contains "$flags" "$flag"
done
