tell application "Finder"
    with timeout of 3600 seconds
        duplicate {(POSIX file "/Users/ann/Docs/a\\b \"c\".txt" as alias), (POSIX file "/Users/ann/Docs/日本語.txt" as alias)} to (POSIX file "/Users/ann/A \"quoted\" name\\and\\\"both" as alias)
    end timeout
end tell