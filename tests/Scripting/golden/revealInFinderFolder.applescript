tell application "Finder"
    activate
    open (POSIX file "/Users/ann/A \"quoted\" name\\and\\\"both" as alias)
end tell