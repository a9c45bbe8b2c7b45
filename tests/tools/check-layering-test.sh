#!/usr/bin/env bash
# The layering check fails on includes that point up or across products, and
# passes on the repository itself.
set -euo pipefail
checker="$(cd "$(dirname "$0")/../.." && pwd)/tools/check-layering.py"
repo="$(cd "$(dirname "$0")/../.." && pwd)"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

make_tree() {
    rm -rf "$tree"/*
    mkdir -p "$tree"/src/{utils,gfx,gui,gadget,products,fry/ui,orv,app} "$tree"/platform
    for f in utils/Text gfx/Look gui/Binding gadget/Gadget2 products/Product fry/Ferrymo fry/ui/FryGadget orv/Score app/App; do
        echo "#pragma once" > "$tree/src/$f.h"
    done
}

expect() {
    local want=$1 what=$2
    set +e
    /usr/bin/python3 "$checker" "$tree" >/dev/null
    local got=$?
    set -e
    if [ "$got" -ne "$want" ]; then
        echo "FAILED: $what (exit $got, expected $want)"
        exit 1
    fi
}

make_tree
printf '#include "utils/Text.h"\n#include "products/Product.h"\n' > "$tree/src/fry/Ferrymo.cpp"
printf '#include "fry/Ferrymo.h"\n#include "gadget/Gadget2.h"\n' > "$tree/src/fry/ui/FryGadget.cpp"
printf '#include "fry/ui/FryGadget.h"\n#include "orv/Score.h"\n' > "$tree/src/app/App.cpp"
printf '#include "BinaryData.h"\n' > "$tree/src/gui/Binding.cpp"
expect 0 "includes that point down, a product's views on its logic, the app on every product"

make_tree
printf '#include "gfx/Look.h"\n' > "$tree/src/utils/Text.cpp"
expect 1 "utils including a view"

make_tree
printf '#include "fry/ui/FryGadget.h"\n' > "$tree/src/fry/Ferrymo.cpp"
expect 1 "a product's logic including its own views"

make_tree
printf '#include "orv/Score.h"\n' > "$tree/src/fry/Ferrymo.cpp"
expect 1 "one product including another"

make_tree
printf '#include "gadget/Gadget2.h"\n' > "$tree/src/gui/Binding.cpp"
expect 1 "gui including gadget"

make_tree
printf '#include "fry/Ferrymo.h"\n' > "$tree/src/gadget/Gadget2.cpp"
expect 1 "a shared view including a product"

make_tree
printf '#include "nowhere/Missing.h"\n' > "$tree/src/products/Product.cpp"
expect 1 "an include of no file"

/usr/bin/python3 "$checker" "$repo"
echo "layering check: all cases behave"
