"""Writes a score payload as a MIDI file with mido, the way the suite's clip
writer does (the same events, tracks and order), for the benchmark beside it.

    mido_write_clip.py PAYLOAD_JSON OUT_MID RUNS

Prints the seconds of each run, one per line: payload to events to file,
without reading the JSON text or starting Python.
"""
import json
import math
import sys
import time

import mido


def tick(midi_ticks):
    """Half a tick rounds up, as in the suite (Python's round() would go to even)."""
    return max(0, math.floor(midi_ticks + 0.5))


def clip_tracks(payload):
    bars = {}
    meters = []
    start = 0.0
    for bar in payload["barList"]:
        if bar["barNumber"] not in bars:
            bars[bar["barNumber"]] = start
        numerator, _, denominator = bar.get("meter", "").partition("/")
        meters.append((tick(start), int(numerator or 0), int(denominator or 0)))
        start += max(0, bar["length"]) * 3.75

    conductor = [(0, 0, mido.MetaMessage("set_tempo", tempo=500000))]
    last = None
    for at, numerator, denominator in meters:
        if numerator >= 1 and denominator >= 1 and (numerator, denominator) != last:
            conductor.append((at, 0, mido.MetaMessage("time_signature", numerator=numerator, denominator=denominator,
                                                        clocks_per_click=24, notated_32nd_notes_per_beat=8)))
            last = (numerator, denominator)
    tracks = [conductor]

    for number, staff in enumerate(payload["staffList"], 1):
        name = staff.get("header", {}).get("fullInstrumentName", "").strip() or "Track %d" % number
        events = []
        for staff_bar in staff.get("staffBarList", []):
            bar_start = bars.get(staff_bar["barNumber"])
            if bar_start is None:
                continue
            for pot in staff_bar.get("potList", []):
                on = tick(bar_start + pot["position"] * 3.75)
                off = max(on + 1, tick(bar_start + (pot["position"] + pot["duration"]) * 3.75))
                for note in pot["noteList"]:
                    pitch = note["pitch"]
                    if 0 <= pitch <= 127:
                        events.append((on, 3, mido.Message("note_on", note=pitch, velocity=100)))
                        events.append((off, 0, mido.Message("note_off", note=pitch, velocity=0)))
            for command in staff_bar.get("commandList", []):
                text = command["text"]
                head, comma, tail = text.partition(",")
                if not comma:
                    continue
                value = int(tail)
                at = tick(bar_start + command["position"] * 3.75)
                if "C" in head:
                    controller = int(head[head.index("C") + 1:])
                    if 0 <= controller <= 127:
                        events.append((at, 1, mido.Message("control_change", control=controller, value=min(127, max(0, value)))))
                elif "B" in head:
                    bend = min(value, 16383) if value > 127 else max(0, value) * 129
                    events.append((at, 2, mido.Message("pitchwheel", pitch=bend - 8192)))
        events.sort(key=lambda e: (e[0], e[1]))
        tracks.append([(0, 0, mido.MetaMessage("track_name", name=name))] + events)
    return tracks


def write(payload, path):
    midi = mido.MidiFile(type=1, ticks_per_beat=960)
    for events in clip_tracks(payload):
        track = mido.MidiTrack()
        now = 0
        for at, _, message in events:
            track.append(message.copy(time=at - now))
            now = at
        midi.tracks.append(track)
    midi.save(path)


def main():
    payload_path, out_path, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    with open(payload_path, encoding="utf-8") as f:
        payload = json.load(f)
    for _ in range(runs):
        started = time.perf_counter()
        write(payload, out_path)
        print(time.perf_counter() - started, flush=True)


if __name__ == "__main__":
    main()
