# Sourced by the scripts that run the program in a Wine session (tools/run.sh,
# the signing and news-site tests): finding its window and closing it.

# The id of the program's main window on display, or nothing.
program_window() { # display
    xwininfo -display "$1" -root -tree | awk '/"CONVERT OSTRAFEL 1.0"/ { print $1; exit }'
}

# Prints the window's id once it is open; fails when seconds pass first or the
# process pid ends without one.
wait_for_program_window() { # display pid seconds
    local window _
    for _ in $(seq $(($3 * 10))); do
        window=$(program_window "$1")
        if [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        kill -0 "$2" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Closes the program as the user would (WM_CLOSE to its windows) and waits up to
# seconds for the process pid to end; fails when it is still running.
close_program() { # session pid seconds
    tools/wine-run.sh "$1" taskkill /im Ostrafel.exe >/dev/null 2>&1 || true
    local _
    for _ in $(seq $(($3 * 10))); do
        kill -0 "$2" 2>/dev/null || return 0
        sleep 0.1
    done
    ! kill -0 "$2" 2>/dev/null
}
