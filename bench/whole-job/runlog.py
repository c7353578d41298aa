"""The phases of a run as its run log shows them, from the time tags of its lines.

An unattended run notes each page when its pilot acts on it, as soon as the page is
painted and its pending messages have run."""
import re

TAG = re.compile(r" <TIMP (\d\d):(\d\d):(\d\d)\.(\d\d\d) > ?$")
PAGES = [("TIType", "type page"), ("TDirs", "folders page"), ("TCopy", "copy page"),
         ("TConfig", "configuration page"), ("TEndScreen", "end page")]
STEPS = ["DoConfigBDE", "DoConfigConfigSys", "DoConfigGroup"]


def read(path: str) -> list:
    """(seconds of the day, text with its blanks folded) of each line; a run past midnight
    keeps counting."""
    lines, last, day = [], None, 0.0
    with open(path, encoding="latin-1") as log:
        for raw in log:
            raw = raw.rstrip("\r\n")
            match = TAG.search(raw)
            if not match:
                continue
            hours, minutes, seconds, millis = map(int, match.groups())
            moment = hours * 3600 + minutes * 60 + seconds + millis / 1000 + day
            if last is not None and moment < last - 43200:
                day += 86400
                moment += 86400
            last = moment
            lines.append((moment, " ".join(raw[:match.start()].split())))
    return lines


def first(lines: list, predicate, after: float = float("-inf")):
    return next((moment for moment, text in lines if moment >= after and predicate(text)), None)


def sessions(lines: list) -> list:
    return [moment for moment, text in lines if text.startswith("Begin debug session: INSTALL")]


def step_bounds(lines: list, step: str):
    begin = first(lines, lambda text: text.endswith("BEGIN => " + step))
    end = first(lines, lambda text: text.endswith("END <- " + step), begin or 0)
    return begin, end


def auto_phases(lines: list) -> list:
    """(phase, seconds) of an unattended run, in order; their sum is the log's span."""
    begins = sessions(lines)
    notes = {name: first(lines, lambda text, name=name: text.startswith(f"* Pagina {name}:")) for name, _ in PAGES}
    bounds = {step: step_bounds(lines, step) for step in STEPS}
    if len(begins) < 2 or None in notes.values() or any(None in pair for pair in bounds.values()):
        return []
    marks = [("start: the media instance until the working copy's log opens (relaunch)", begins[0], begins[1]),
             ("type page shown and acted on", begins[1], notes["TIType"]),
             ("type page -> folders page acted on", notes["TIType"], notes["TDirs"]),
             ("folders page -> copy page acted on", notes["TDirs"], notes["TCopy"]),
             ("copy page: join, unpack, delete -> configuration page acted on", notes["TCopy"], notes["TConfig"]),
             ("configuration page: until its first step", notes["TConfig"], bounds["DoConfigBDE"][0])]
    previous = bounds["DoConfigBDE"][0]
    for step in STEPS:
        begin, end = bounds[step]
        if begin > previous:
            marks.append(("between the steps", previous, begin))
        marks.append((f"step {step}", begin, end))
        previous = end
    marks += [("record written -> end page acted on", previous, notes["TEndScreen"]),
              ("end: the working copy ends, the media instance with it", notes["TEndScreen"], lines[-1][0])]
    merged = {}
    for name, start, end in marks:
        merged[name] = merged.get(name, 0.0) + end - start
    return list(merged.items())


def span(lines: list) -> float:
    return lines[-1][0] - lines[0][0] if lines else 0.0


def config_steps(lines: list) -> list:
    """(step, seconds) of the configuration steps, for a run a person drives."""
    out = []
    for step in STEPS:
        begin, end = step_bounds(lines, step)
        if begin is not None and end is not None:
            out.append((f"step {step}", end - begin))
    return out


def relaunch(lines: list):
    begins = sessions(lines)
    return begins[1] - begins[0] if len(begins) >= 2 else None
