tell application "Finder"
    set target of Finder window id -5 to (POSIX file "/Users/ann/A \"quoted\" name\\and\\\"both" as alias)
end tell