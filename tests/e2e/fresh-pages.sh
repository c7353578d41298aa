# The pages of a fresh installation as the scenarios and the demo meet them: titles,
# captions, and the steps a user takes on them. Sourced after lib.sh and staging.sh.

TYPE_PAGE="Alegeti tipul instalarii!"
DIRS_PAGE="Alegeti directoarele destinatie!"
DIR_DIALOG="Alegeti calea!"
END_PAGE="Finalizare"
ITEM_LOCAL=" &LOCAL     - programul va fi folosit numai pe acest calculator"
ITEM_SERVER=" &SERVER  - acest calculator va contine baza de date"
ITEM_CLIENT=" CLIEN&T    - programul va folosi o baza de date aflata la distanta"

# control_state TITLE TEXT: "visible enabled" (or hidden, disabled) of the first control
# of the window whose text is TEXT.
control_state() {
    drv tree "$1" | awk -v text="\"$2\"" 'index($0, text) == length($0) - length(text) + 1 { print $5, $6; exit }'
}

# expect_state TITLE TEXT STATE: waits (bounded) until the control is in that state.
expect_state() {
    local title=$1 text=$2 state=$3
    state_is() { [[ $(control_state "$title" "$text") == "$state" ]]; }
    wait_until 10 "\"$text\" on \"$title\" is $state (it is: $(control_state "$title" "$text"))" state_is
}

# fresh_start: the installer from fresh media (no database engine), up to the type page.
fresh_start() {
    stage_media
    start_installer media
    drv wait-window "$TYPE_PAGE" 60 >/dev/null
}

# choose_kind ITEM: the kind picked by a click on its item, then Continue: the folders page.
choose_kind() {
    drv click "$TYPE_PAGE" "$1"
    expect_state "$TYPE_PAGE" "&Continua" "visible enabled"
    drv click "$TYPE_PAGE" "&Continua"
    drv wait-window "$DIRS_PAGE" 30 >/dev/null
}

# focus_field KEY: the focus into a folder field by its label's accelerator (alt+p,
# alt+d), as a keyboard user does it: the accelerator opens the folder dialog, "&Renunt"
# closes it, and the focus stays in the field.
focus_field() {
    drv key "$DIRS_PAGE" "$1"
    drv wait-window "$DIR_DIALOG" 30 >/dev/null
    drv click "$DIR_DIALOG" "&Renunt"
    drv wait-gone "$DIR_DIALOG" 30
}

# replace_text TITLE TEXT: the focused field's text replaced by TEXT as a user does it:
# all of it selected and deleted, the new text typed. Returns once the window shows it
# (typed keys come after the clicks already posted, so a click must wait for them).
replace_text() {
    local title=$1 text=$2
    drv key "$title" "home shift+end delete"
    [[ -z $text ]] || drv type "$title" "$text"
    shows_text() { drv texts "$title" | grep -qxF -- "$text"; }
    [[ -z $text ]] || wait_until 20 "\"$title\" shows the typed text" shows_text
}

# page_settled TITLE: returns once the page has handled every click sent to it before
# (Alt+M comes through the input queue, after the posted clicks), and the page is still
# there; the backdrop is shown again afterwards.
page_settled() {
    local title=$1
    backdrop_is() { [[ $(drv list | grep -c '"Installer"') == "$1" ]]; }
    drv key "$title" alt+m
    wait_until 10 "Alt+M on \"$title\" has hidden the backdrop" backdrop_is 0
    drv key "$title" alt+m
    wait_until 10 "Alt+M on \"$title\" has shown the backdrop" backdrop_is 1
}
