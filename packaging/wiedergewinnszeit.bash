# bash completion for wiedergewinnszeit: the example forms first, then,
# after the four numbers, the options; a number after -z, -i and -a.
_wiedergewinnszeit()
{
	local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
	COMPREPLY=()
	case $prev in
	-z | -i | -a) return ;;
	esac
	case $COMP_CWORD in
	1) COMPREPLY=($(compgen -W '-b -bh -bH' -- "$cur")) ;;
	2 | 3 | 4) ;;
	*) COMPREPLY=($(compgen -W '-z -i -a -h -H' -- "$cur")) ;;
	esac
}
complete -F _wiedergewinnszeit wiedergewinnszeit
