#!/usr/bin/env bash
# Builds RV44SeriesUp and the receiver simulator, then runs whole updates against the simulator
# on a demo start directory (images, catalog, release text) in build/demo/.
#
# With a display the program opens for you to click through: pick "USB" (or "RS232" with COM1),
# wait for the receiver's text, press an update button. Without a display (or with --auto) the
# updates are driven automatically under Xvfb and screenshots are kept in build/demo/.
#
#   scripts/demo.sh [--auto] [--model RV44S|RV44F]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

auto=0
model=RV44S
while [ $# -gt 0 ]; do
    case "$1" in
    --auto) auto=1 ;;
    --model) model=$2; shift ;;
    --in-xvfb) auto=2 ;;
    *) echo "usage: scripts/demo.sh [--auto] [--model RV44S|RV44F]" >&2; exit 2 ;;
    esac
    shift
done
[ -z "${DISPLAY:-}" ] && [ "$auto" -eq 0 ] && auto=1

if [ "$auto" -ne 2 ]; then
    bash scripts/deps.sh
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"$(nproc)" --target RV44SeriesUp rv44-sim
fi
if [ "$auto" -eq 1 ]; then
    echo "No display (or --auto): driving the updates under Xvfb."
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --in-xvfb
fi

program=$root/build/app/RV44SeriesUp
sim=$root/build/tools/rv44-sim/rv44-sim
demo=$root/build/demo
mkdir -p "$demo"
sim_pid=

stop_sim() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
        sim_pid=
    fi
}
trap stop_sim EXIT

# A start directory with images, the catalog and the release text. The catalog asks for a newer
# FPGA bitstream than the simulator reports (0x0104), so a firmware update stores the FPGA first.
prepare() {
    local dir=$1
    rm -rf "$dir"
    mkdir -p "$dir/flash"
    head -c 40000 /dev/urandom >"$dir/main.ldr"
    head -c 24000 /dev/urandom >"$dir/fpga.bin"
    head -c 8000 /dev/urandom >"$dir/boot.ldr"
    head -c 40000 /dev/urandom >"$dir/RV44F_FW.ldr"
    head -c 24000 /dev/urandom >"$dir/check.bin"
    head -c 16000 /dev/urandom >"$dir/Radied.bin"
    head -c 8000 /dev/urandom >"$dir/RV44F_BT.ldr"
    printf 'Demo\r\n' >"$dir/RV44SeriesUp.DAT"
    printf 'FPGA_ID=0105\r\n' >"$dir/CATALOG.DAT"
    printf 'FPGA_ID=0105\r\n' >"$dir/CATALOGF.DAT"
}

start_sim() {
    local dir=$1 model=$2
    "$sim" --link "$dir/ttyRV44" --flash-dir "$dir/flash" --trace "$dir/trace.txt" \
        --model "$model" --startup-pieces 3 --baud 115200 >"$dir/sim.out" 2>"$dir/sim.err" &
    sim_pid=$!
    for _ in $(seq 50); do
        grep -q '^READY' "$dir/sim.out" 2>/dev/null && return 0
        sleep 0.1
    done
    echo "The simulator did not start: $(cat "$dir/sim.err")" >&2
    exit 1
}

# Checks that flash <index> holds <image> from <offset> on.
check_flash() {
    local dir=$1 index=$2 image=$3 offset=$4
    local size
    size=$(stat -c %s "$dir/$image")
    if cmp -s -n "$size" "$dir/$image" <(tail -c +"$((offset + 1))" "$dir/flash/flash$index.bin"); then
        printf '  flash %d at 0x%06X holds %s (%d bytes): OK\n' "$index" "$offset" "$image" "$size"
    else
        printf '  flash %d at 0x%06X does NOT hold %s\n' "$index" "$offset" "$image"
        return 1
    fi
}

window_of() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }

wait_window() {
    local title=$1 w=
    for _ in $(seq 100); do
        w=$(window_of "$title")
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.1
    done
    return 1
}

shot() { import -window root "$demo/$1.png" 2>/dev/null || true; }

click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# One automated run: start-up window, "USB", an update button, then OK on every message box.
auto_run() {
    local name=$1 model=$2 button_x=$3 button_y=$4
    local dir=$demo/$name
    prepare "$dir"
    start_sim "$dir" "$model"
    (cd "$dir" && RV44_COM1=$dir/ttyRV44 exec "$program" FW=main.ldr FPGA=fpga.bin BIOS=boot.ldr) &
    local pid=$!
    local w
    w=$(wait_window "UPGRADING UTILITY") || { echo "no start-up window" >&2; kill "$pid"; return 1; }
    sleep 0.5
    shot "$name-1-startup"
    click "$w" 60 217 # "USB"
    w=$(wait_window "COMM[0-9]") || { echo "no update window" >&2; kill "$pid"; return 1; }
    sleep 1.5 # the receiver's text arrives and the window is arranged
    shot "$name-2-update"
    click "$w" "$button_x" "$button_y"
    sleep 1.5
    shot "$name-3-storing"
    local n=0 box
    while kill -0 "$pid" 2>/dev/null; do
        box=$(window_of '^RV44SeriesUp$')
        if [ -n "$box" ]; then
            n=$((n + 1))
            sleep 0.3
            shot "$name-4-message-$n"
            xdotool windowfocus --sync "$box" key Return 2>/dev/null || true
            sleep 0.5
        fi
        sleep 0.2
    done
    wait "$pid" && status=0 || status=$?
    stop_sim
    echo "$name: program ended with status $status after $n message(s)"
    return "$status"
}

if [ "$auto" -eq 2 ]; then
    failed=0
    # Window coordinates (pixels) of the update buttons; BIOS sits lower on the F model.
    auto_run firmware RV44S 193 60 || failed=1
    check_flash "$demo/firmware" 2 fpga.bin 0 || failed=1
    check_flash "$demo/firmware" 0 main.ldr 0 || failed=1
    auto_run fpga RV44S 195 133 || failed=1
    check_flash "$demo/fpga" 2 fpga.bin 0 || failed=1
    auto_run bios RV44S 193 210 || failed=1
    check_flash "$demo/bios" 1 boot.ldr 0 || failed=1
    auto_run f-firmware RV44F 193 60 || failed=1
    check_flash "$demo/f-firmware" 2 check.bin $((0x280000)) || failed=1
    check_flash "$demo/f-firmware" 2 RV44F_FW.ldr 0 || failed=1
    auto_run f-radiated RV44F 195 210 || failed=1
    check_flash "$demo/f-radiated" 3 Radied.bin 0 || failed=1
    echo "Screenshots: $demo/*.png"
    [ "$failed" -eq 0 ] && echo "Demo: every update stored exactly its images." || echo "Demo: FAILED"
    exit "$failed"
fi

# Interactive: the operator drives the program.
dir=$demo/interactive
prepare "$dir"
start_sim "$dir" "$model"
echo "Simulated $model receiver on $dir/ttyRV44 (mapped to COM1). Start directory: $dir"
echo "Choose \"USB\" (or \"RS232\" with COM1), wait for the receiver's text, press an update button."
set +e
(cd "$dir" && RV44_COM1=$dir/ttyRV44 "$program" FW=main.ldr FPGA=fpga.bin BIOS=boot.ldr)
status=$?
set -e
stop_sim
echo "RV44SeriesUp ended with status $status. The simulator's flashes are in $dir/flash:"
ls -l "$dir/flash"
