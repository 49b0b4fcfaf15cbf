# bash completion for zerlant-cli                          -*- shell-script -*-
# Commands, each command's options, the names --select takes, and the files
# each command reads.  packaging/check-install.sh compares the lists here with
# the program's own --help.

_zerlant_cli_options() {
    local common='--help --lang --files-from --null'
    local table="$common --select --all -o --output --decimal-separator"
    case $1 in
        extract) echo "$table -j --jobs --format --all-steps" ;;
        scan | aim) echo "$table" ;;
        rename)
            echo "$common --dry-run --rule --text --with --position --from-position" \
                "--from-delimiter --to-count --to-delimiter --to-end --new-extension" \
                "--start --width --fill --prefix --suffix --keep-extension --all --first" \
                "--last --upper --lower --title --invert"
            ;;
        substitute) echo "$common --from --to --first" ;;
        bcf) echo "$common -o --output --full-paths --ext" ;;
        normalize) echo "--help --files-from --null --keep-backup" ;;
        thermo)
            echo "$common --temperature --pressure --concentration --scale --scale-from-table" \
                "--scale-for --list-scales --cutoff --qh --relative --unit --reference -o" \
                "--output --spc --spc-pairs --spc-rmsd"
            ;;
        plot)
            echo "$common -o --output --fwhm --range --unit --scale --measured --points --map" \
                "--decimal-separator --boltzmann"
            ;;
        convergence) echo "--help --files-from --null -o --output --format" ;;
        sort)
            echo "--help --files-from --null -n --dry-run --undo --done --failed --imaginary" \
                "--running"
            ;;
        next)
            echo "--help --files-from --null --route --add --remove --link0 --name --com --fix" \
                "--maxcycles --scf --amplitude --both -n --dry-run"
            ;;
        ensemble)
            echo "--help --files-from --null --by --temperature --energy-tolerance --rmsd" \
                "--connectivity"
            ;;
    esac
}

_zerlant_cli_select_names() {
    case $1 in
        extract)
            echo "file formula method basis charge symmetry energy energy-opt" \
                "energy-method homo lumo dipole volume a0 r2 eps rsolv nonelectrostatic" \
                "cavitation deltag cputime status polar mulliken orbitals geometry freq" \
                "thermo td"
            ;;
        scan) echo "file formula method basis charge cputime status" ;;
        aim) echo "file type rho delsqrho ellipticity v g h" ;;
    esac
}

_zerlant_cli() {
    local cur prev words cword
    _init_completion -s || return

    local command='' i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            extract | scan | aim | rename | substitute | bcf | normalize | thermo | plot | \
                convergence | sort | next | ensemble)
                command=${words[i]}
                break
                ;;
        esac
    done
    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W 'extract scan aim rename substitute bcf normalize thermo
            plot convergence sort next ensemble --help --help-all --version' -- "$cur"))
        return
    fi

    case $prev in
        --select)
            # A comma-separated list: complete the name after the last comma.
            local done=${cur%"${cur##*,}"}
            COMPREPLY=($(compgen -P "$done" -W "$(_zerlant_cli_select_names "$command")" \
                -- "${cur##*,}"))
            compopt -o nospace
            return
            ;;
        --lang)
            COMPREPLY=($(compgen -W 'English Español' -- "$cur"))
            return
            ;;
        --unit)
            if [[ $command == thermo ]]; then
                COMPREPLY=($(compgen -W 'kcal kj ev' -- "$cur"))
            else
                COMPREPLY=($(compgen -W 'nm ev cm-1' -- "$cur"))
            fi
            return
            ;;
        --measured | --reference | --spc-pairs)
            _filedir
            return
            ;;
        --boltzmann)
            COMPREPLY=($(compgen -W 'E G qhG' -- "$cur"))
            return
            ;;
        --rule)
            COMPREPLY=($(compgen -W 'insert delete remove replace extension case number' \
                -- "$cur"))
            return
            ;;
        -o | --output)
            if [[ $command == bcf ]]; then
                _filedir bcf
            elif [[ $command == extract ]]; then
                _filedir '@(txt|csv|xlsx|json|xyz)'
            elif [[ $command == plot ]]; then
                _filedir '@(svg|png|pdf|csv)'
            elif [[ $command == thermo ]]; then
                _filedir '@(csv|json|xlsx)'
            elif [[ $command == convergence ]]; then
                _filedir '@(csv|json)'
            else
                _filedir '@(txt|csv|xlsx)'
            fi
            return
            ;;
        --files-from | --from | --to)
            _filedir
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W "csv json" -- "$cur"))
            return
            ;;
        --by)
            COMPREPLY=($(compgen -W "E G qhG" -- "$cur"))
            return
            ;;
        --temperature | --pressure | --concentration | --cutoff | --fwhm | --range | --points | \
            --decimal-separator | -j | --jobs | --text | --with | --position | --from-position | \
            --from-delimiter | --to-count | --to-delimiter | --new-extension | --start | \
            --width | --fill | --ext | --scale-for | --route | --add | --remove | --link0 | \
            --name | --maxcycles | --scf | --amplitude | --energy-tolerance | --rmsd | --done | \
            --failed | --imaginary | --running)
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_zerlant_cli_options "$command")" -- "$cur"))
        return
    fi
    # The files the command reads (folders too, to walk into; _filedir
    # matches the extensions in either case).
    case $command in
        extract | scan | normalize | thermo | convergence | sort | next | ensemble)
            _filedir '@(out|log)'
            ;;
        plot)
            if ((cword == i + 1)); then
                COMPREPLY=($(compgen -W 'ir raman uv ecd scan convergence' -- "$cur"))
            else
                _filedir '@(out|log)'
            fi
            ;;
        aim) _filedir sum ;;
        bcf) _filedir '@(gjf|com)' ;;
        *) _filedir ;;
    esac
} &&
    complete -F _zerlant_cli zerlant-cli

# ex: filetype=sh
