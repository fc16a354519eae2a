# bash completion for mireto-convert.
# Options come from the program's own --help, so they are always the installed ones;
# -f offers the seven page styles, and -t, --ending and --replacement the names that
# --list prints from the settings file that -s names (or the default one).

# The names under one heading of --list ("Overall templates", "Ending sets", ...).
_mireto_convert_stored() {
    local heading=$1 program=$2 line inside=
    shift 2
    while IFS= read -r line; do
        if [[ $line == "  "* ]]; then
            [[ $inside ]] && printf '%s\n' "${line#  }"
        else
            inside=
            [[ $line == "$heading:" ]] && inside=1
        fi
    done < <("$program" "$@" --list 2>/dev/null)
}

# A word as the shell will read it: quotes and backslashes undone, nothing run.
_mireto_convert_dequote() {
    local word=$1 plain= quote= c k
    for ((k = 0; k < ${#word}; k++)); do
        c=${word:k:1}
        if [[ $quote == "'" ]]; then
            [[ $c == "'" ]] && quote= || plain+=$c
        elif [[ $c == '\' ]]; then
            ((k++))
            plain+=${word:k:1}
        elif [[ $c == '"' ]]; then
            [[ $quote ]] && quote= || quote='"'
        elif [[ $c == "'" && ! $quote ]]; then
            quote="'"
        else
            plain+=$c
        fi
    done
    printf '%s' "$plain"
}

# Offers the candidates (one a line on standard input) that start with what is typed,
# each quoted for the shell: names hold spaces and brackets.
_mireto_convert_offer() {
    local typed name
    typed=$(_mireto_convert_dequote "$1")
    COMPREPLY=()
    while IFS= read -r name; do
        [[ $name == "$typed"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
    done
}

_mireto_convert() {
    local cur prev words cword split
    _init_completion -s || return

    # The settings file named earlier on the line is the one --list reads.
    local settings=() i path
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            -s | --settings) path=${words[i + 1]-} ;;
            --settings=*) path=${words[i]#--settings=} ;;
            *) continue ;;
        esac
        __expand_tilde_by_ref path
        settings=(--settings "$(_mireto_convert_dequote "$path")")
    done

    local heading=
    case $prev in
        -f | --format)
            if [[ $cur == [0-9]* ]]; then
                COMPREPLY=($(compgen -W '0 1 2 3 4 5 6' -- "$cur"))
            else
                _mireto_convert_offer "$cur" <<'STYLES'
フォント弄り
フォント弄り(背景白)
某バーチャルネットアイドル
某巨大掲示板群
標準的
標準的(枠無し)
ソルネ屋仕様
STYLES
            fi
            return
            ;;
        -t | --template) heading="Overall templates" ;;
        --ending) heading="Ending sets" ;;
        --replacement) heading="Replacement sets" ;;
        --encoding | --page-encoding)
            COMPREPLY=($(compgen -W 'sjis utf-8' -- "$cur"))
            return
            ;;
        -o | --output | -s | --settings)
            _filedir
            return
            ;;
        --time)
            return
            ;;
    esac
    if [[ $heading ]]; then
        _mireto_convert_offer "$cur" < <(_mireto_convert_stored "$heading" "$1" "${settings[@]}")
        return
    fi
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '$(_parse_help "$1" | sort -u)' -- "$cur"))
        return
    fi
    _filedir
}
complete -F _mireto_convert mireto-convert
