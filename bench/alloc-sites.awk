# Sums the allocated blocks (totBk) per function that called the allocator directly: the self
# cost lines of a valgrind xtree file (callgrind format), i.e. cost lines not right after calls=.
function define(table, text,    id, name) {
    if (match(text, /^\([0-9]+\)/)) {
        id = substr(text, 2, RLENGTH - 2)
        name = substr(text, RLENGTH + 1)
        sub(/^ /, "", name)
        if (name != "") table[id] = name
        return table[id]
    }
    return text
}
/^events:/ { for (i = 2; i <= NF; ++i) if ($i == "totBk") column = i; next }
/^(fl|fi|fe)=/ { define(files, substr($0, index($0, "=") + 1)); next }
/^(cfi|cfl)=/ { define(files, substr($0, index($0, "=") + 1)); next }
/^fn=/ { current = define(functions, substr($0, 4)); next }
/^cfn=/ { define(functions, substr($0, 5)); next }
/^calls=/ { afterCall = 1; next }
/^[0-9+*-]/ {
    if (afterCall) { afterCall = 0; next }
    blocks[current] += $column
    next
}
END { for (f in blocks) if (blocks[f] > 0) printf "%d %s\n", blocks[f], f }
