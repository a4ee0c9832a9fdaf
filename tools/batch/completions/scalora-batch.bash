# bash completion for scalora-batch                                  -*- shell-script -*-

_scalora_batch_languages() {
    # The translations installed beside the program: <prefix>/share/halvorn-scalora/languages.
    local program dir
    program=$(command -v scalora-batch 2>/dev/null) || return
    dir="${program%/*}/../share/halvorn-scalora/languages"
    [[ -d $dir ]] || return
    local files=("$dir"/*.xml) names=() file
    for file in "${files[@]}"; do
        [[ -f $file ]] && names+=("$(basename "$file" .xml)")
    done
    printf '%s\n' "${names[@]}"
}

_scalora_batch() {
    local cur prev words cword split
    _init_completion -s || return

    case $prev in
    --mode)
        COMPREPLY=($(compgen -W 'width-height width height fit percentage desktop desktop-fit' \
            -- "$cur"))
        return
        ;;
    --format)
        COMPREPLY=($(compgen -W 'original jpg png tif bmp' -- "$cur"))
        return
        ;;
    -d | --dest)
        _filedir -d
        return
        ;;
    --language)
        COMPREPLY=($(compgen -W "$(_scalora_batch_languages)" -- "$cur"))
        return
        ;;
    --width | --height | --quality | --desktop-size | --jobs | -s | --fit | --exact | --percent)
        return
        ;;
    -h | --help | --version)
        return
        ;;
    esac
    $split && return

    local word
    for word in "${words[@]:1:cword-1}"; do
        if [[ $word == -- ]]; then
            _filedir '@(bmp|jp?(e)g|png|tif?(f))'
            return
        fi
    done

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '-s --fit --exact --percent --mode --width --height --format -d --dest --quality
            --copy-metadata --no-copy-metadata --no-enlarge --enlarge --keep-dates
            --no-keep-dates --overwrite --no-overwrite -r --recursive --no-recursive --settings
            --language --desktop-size --jobs -h --help --version --' -- "$cur"))
        [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
        return
    fi

    # Image files and folders of images.
    _filedir '@(bmp|jp?(e)g|png|tif?(f))'
} &&
    complete -F _scalora_batch scalora-batch
