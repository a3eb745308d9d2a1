# Sourced by the build scripts: sets jobs, the number of parallel build and
# test jobs, from QUILLORY_JOBS (by default the number of processors).
jobs="${QUILLORY_JOBS:-$(nproc)}"
if ! [[ "$jobs" =~ ^[1-9][0-9]*$ ]]; then
    echo "QUILLORY_JOBS must be a whole number of at least 1, not '$jobs'" >&2
    exit 2
fi
