"""Prints the benchmark table from the JSON results and memory probes in one folder."""
import glob
import json
import os
import re
import sys

# operation, program, benchmark, baseline benchmark (in the same program), how it is judged
ROWS = [
    ("start-up to the shown window, warm, in-process", "bench_startup", "BM_StartupToShownWindow", "BM_StartupToShownWindow:ComparableWindow_ms", ("ratio", 1.5)),
    ("parse + render, 65,000 bytes", "bench_document", "BM_ParseRender", "BM_SplitBaseline", ("ratio", 4)),
    ("LoadDocument, both views", "bench_files", "BM_LoadDocument", "BM_LoadDocument:setPlainText_ms", ("ratio", 1.5)),
    ("List View to Text View", "bench_files", "BM_ListToText", "BM_SetPlainTextBaseline", ("ratio", 2)),
    ("Text View to List View", "bench_files", "BM_TextToList", "BM_SetPlainTextBaseline", ("ratio", 2)),
    ("Open, worst file, to the window painted, problems shown", "bench_window", "BM_OpenPainted", "BM_OpenPainted:BareSetPlainText_ms", ("ratio", 1.5)),
    ("List View to Text View, worst file, painted", "bench_window", "BM_ListToTextPainted", "BM_ListToTextPainted:BareSetPlainText_ms", ("ratio", 1.5)),
    ("Text View to List View, worst file, painted", "bench_window", "BM_TextToListPainted", "BM_TextToListPainted:BareSetPlainText_ms", ("ratio", 1.5)),
    ("a key stroke in the text view, worst file, painted", "bench_window", "BM_KeyStrokePainted", "BM_KeyStrokePainted:BareKeyStroke_ms", ("ratio", 1.5)),
    ("Undo in the text view, worst file, painted", "bench_window", "BM_UndoPainted", None, ("ms", 16)),
    ("Redo in the text view, worst file, painted", "bench_window", "BM_RedoPainted", None, ("ms", 16)),
    ("a click on a row, editor arranged, help shown", "bench_window", "BM_RowClickPainted", None, ("ms", 16)),
    ("longest the window goes unanswered after the actions above", "bench_window", "BM_LongestUnanswered", None, ("ms", 16)),
    ("save from the list view", "bench_files", "BM_SaveFromListView", "BM_SaveFromListView:QSaveFile_ms", ("ratio", 2)),
    ("save from the list view, folder in memory", "bench_files", "BM_SaveFromListViewInMemory", "BM_SaveFromListViewInMemory:QSaveFile_ms", ("info",)),
    ("catalogue + tree, by category", "bench_catalogue", "BM_LoadAndBuildByCategory", "BM_SelectWalkBaseline", ("ratio", 3)),
    ("catalogue + tree, alphabetical", "bench_catalogue", "BM_LoadAndBuildAlphabetical", "BM_SelectWalkBaseline", ("ratio", 3)),
    ("5,000 settings, by category", "bench_catalogue", "BM_LoadAndBuildByCategory5000", "BM_LoadAndBuildByCategory5000:SelectWalk_ms", ("ms-and-ratio", 50, 2)),
    ("5,000 settings, alphabetical", "bench_catalogue", "BM_LoadAndBuildAlphabetical5000", "BM_LoadAndBuildAlphabetical5000:SelectWalk_ms", ("ms-and-ratio", 50, 2)),
    ("filter the tree, one key stroke, 5,000 settings", "bench_catalogue", "BM_FilterKeystroke5000", "BM_TypingBaseline5000", ("ms", 10)),
    ("help shown, first click, 2 MB page", "bench_help", "BM_HelpFirstClickLargePage", "BM_HelpFirstClickDemoPage", ("ms", 150)),
    ("help shown, later clicks, 2 MB page", "bench_help", "BM_HelpLaterClickLargePage", "BM_HelpLaterClickDemoPage", ("ms", 16)),
    ("help shown, click as the window shows, 2 MB page", "bench_help", "BM_HelpClickAtShowLargePage", "BM_HelpFirstClickDemoPage", ("ms", 150)),
    ("help shown, click 300 ms after the window shows, 2 MB page", "bench_help", "BM_HelpClickAfter300msLargePage", "BM_HelpFirstClickDemoPage", ("ms", 150)),
    ("problem check, 65,000 bytes, 5,000 settings", "bench_check", "BM_Check5000", "BM_NameWalkBaseline", ("ms", 5)),
    ("find over every row, no match", "bench_find", "BM_FindNoMatch", None, ("ms", 2)),
    ("find over the whole text, no match", "bench_find", "BM_FindTextNoMatch", None, ("ms", 2)),
    ("Undo, 200 steps, text view", "bench_undo", "BM_UndoInText", "BM_CursorEditBaseline", ("ms", 10)),
    ("Redo, 200 steps, text view", "bench_undo", "BM_RedoInText", "BM_CursorEditBaseline", ("ms", 10)),
    ("Undo of typing in the list view, 200 steps", "bench_undo", "BM_UndoInList", "BM_CursorEditBaseline", ("ms", 10)),
    ("all 200 steps undone and redone, list view", "bench_undo", "BM_WholeHistoryInList", "BM_CursorEditBaseline", ("info",)),
    ("a quick fix applied, 65,000-byte worst file", "bench_fixes", "BM_QuickFixInText", None, ("ms", 16)),
    ("a quick fix applied, 65,000-byte worst file, list view", "bench_fixes", "BM_QuickFixInList", None, ("ms", 16)),
    ("completion list after a key stroke, 5,000 settings", "bench_completion", "BM_CompletionKeyStroke5000", "BM_BareKeyStroke", ("ms", 16)),
]


def medians(folder):
    """Median milliseconds by (program, benchmark): two programs may name their baselines alike."""
    result = {}
    for path in glob.glob(os.path.join(folder, "*.json")):
        program = os.path.splitext(os.path.basename(path))[0]
        with open(path) as f:
            data = json.load(f)
        for b in data.get("benchmarks", []):
            if b.get("aggregate_name") != "median":
                continue
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
            name = re.sub(r"/iterations:\d+", "", b["run_name"].removesuffix("/manual_time"))
            result[(program, name)] = b["real_time"] * scale
            # A baseline timed inside the benchmark's own loop: a counter in milliseconds.
            for key, value in b.items():
                if key.endswith("_ms") and isinstance(value, (int, float)):
                    result[(program, f"{name}:{key}")] = value
    return result


def probe_runs(folder, mode):
    return [line.split() for line in open(os.path.join(folder, f"probe-{mode}.txt")) if line.strip()]


def median(values):
    values = sorted(values)
    return values[len(values) // 2]


def probe(folder, mode):
    """Median milliseconds and kilobytes of the fresh-process runs of one mode."""
    runs = probe_runs(folder, mode)
    return median(float(r[0]) for r in runs), median(int(r[1]) for r in runs)


def paired_ratio(folder, mode, base_mode):
    """The median of each turn's ratio: the kinds ran in turns, and a start-up's time swings by
    half from one turn to the next, more than the two kinds differ."""
    runs, bases = probe_runs(folder, mode), probe_runs(folder, base_mode)
    return median(float(r[0]) / float(b[0]) for r, b in zip(runs, bases, strict=True))


def main(folder):
    times = medians(folder)
    lines = ["| operation | median | baseline | ratio | to reach | |", "|---|---|---|---|---|---|"]
    for name, program, bench, base, goal in ROWS:
        t = times.get((program, bench))
        b = times.get((program, base)) if base else None
        if t is None:
            lines.append(f"| {name} | (not measured) | | | | |")
            continue
        ratio = t / b if b else None
        if goal[0] == "ratio":
            ok = ratio is not None and ratio <= goal[1]
            target = f"ratio <= {goal[1]}"
        elif goal[0] == "ms":
            ok = t < goal[1]
            target = f"< {goal[1]} ms"
        elif goal[0] == "info":
            lines.append(f"| {name} | {t:.3f} ms | {b:.3f} ms | {ratio:.2f} | (for reference) | |")
            continue
        else:
            ok = t < goal[1] and ratio is not None and ratio <= goal[2]
            target = f"< {goal[1]} ms, ratio <= {goal[2]}"
        lines.append(
            f"| {name} | {t:.3f} ms | {f'{b:.3f} ms' if b else '-'} | "
            f"{f'{ratio:.2f}' if ratio else '-'} | {target} | {'ok' if ok else 'MISSED'} |")
    try:
        probes = {mode: probe(folder, mode) for mode in ("empty", "window", "startup", "editor")}
        base_ms, start_ms = probes["window"][0], probes["startup"][0]
        ratio = paired_ratio(folder, "startup", "window")
        lines.append(f"| start-up to the shown main window, fresh process | {start_ms:.1f} ms | "
                     f"{base_ms:.1f} ms | {ratio:.2f} | ratio <= 1.5 | {'ok' if ratio <= 1.5 else 'MISSED'} |")
        base_kb, editor_kb = probes["empty"][1], probes["editor"][1]
        extra = (editor_kb - base_kb) / 1024
        lines.append(f"| peak resident memory | {editor_kb / 1024:.1f} MB | {base_kb / 1024:.1f} MB | "
                     f"+{extra:.1f} MB | <= +25 MB | {'ok' if extra <= 25 else 'MISSED'} |")
    except (OSError, ValueError, IndexError, ZeroDivisionError):
        lines.append("| peak resident memory | (not measured) | | | | |")
    try:
        editor_kb, history_kb = probe(folder, "editor")[1], probe(folder, "history")[1]
        extra = (history_kb - editor_kb) / 1024
        lines.append(f"| peak resident memory, 200 steps of history | {history_kb / 1024:.1f} MB | "
                     f"{editor_kb / 1024:.1f} MB | +{extra:.1f} MB | <= +15 MB | "
                     f"{'ok' if extra <= 15 else 'MISSED'} |")
    except (OSError, ValueError, IndexError):
        lines.append("| peak resident memory, 200 steps of history | (not measured) | | | | |")
    print("\n".join(lines))


if __name__ == "__main__":
    main(sys.argv[1])
