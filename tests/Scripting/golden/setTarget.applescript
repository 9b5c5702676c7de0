tell application "Finder"
    set target of Finder window id -5 to (POSIX file "/Users/ann/first
second" as alias)
end tell