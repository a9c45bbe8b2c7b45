"""A minimal host stand-in written on Python's websockets package.

Prints its port, answers the introduction with a session token, echoes every
invocation's argument as the method result, and when the client has closed
writes what it saw (request path, Host, introduction, frame kinds, close
code) as JSON to the file named by its first argument."""
import asyncio
import json
import sys

import websockets


async def main(log_path):
    record = {"frames": []}
    finished = asyncio.get_running_loop().create_future()

    async def handler(ws, path=None):
        record["path"] = ws.path
        record["host"] = ws.request_headers.get("Host")
        record["intro"] = await ws.recv()
        await ws.send(json.dumps({"sessionToken": "py-token"}))
        try:
            async for message in ws:
                record["frames"].append("text" if isinstance(message, str) else "binary")
                args = json.loads(message)["args"]
                await ws.send(json.dumps({"returnValue": {"msgId": args[0], "methodRes": args[3]}}))
        except websockets.ConnectionClosed:
            pass
        record["close_code"] = ws.close_code
        if not finished.done():
            finished.set_result(None)

    async with websockets.serve(handler, "127.0.0.1", 0) as server:
        print(server.sockets[0].getsockname()[1], flush=True)
        await asyncio.wait_for(finished, timeout=30)

    with open(log_path, "w") as log:
        json.dump(record, log)


asyncio.run(main(sys.argv[1]))
