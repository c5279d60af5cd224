// A web project's use of the reader: the demo dashboard's text read into typed models, a few
// things found in them, and the models written back. Compiled with tsc --strict against the
// package folder; the lines marked @ts-expect-error must not compile.

import { readFileSync } from "node:fs";
import { create, readBag, readBagLenient, readDashboardPresModel, WireError, write, writeBag } from "presmodel";
import type { AnyDrawItemPresModel, DashboardPresModel, DrawGroupPresModel, ZonePresModel } from "presmodel";


// Every draw item of a list, the items of groups included; told apart by their class.
function drawItems(items: AnyDrawItemPresModel[], out: AnyDrawItemPresModel[]): void {
  for (const item of items) {
    out.push(item);
    if (item.$class === "DrawGroupPresModel") drawItems(item.DrawItems, out);
  }
}

function zoneIds(dashboard: DashboardPresModel): number[] {
  const ids: number[] = [];
  for (const zone of dashboard.Zones.values()) if (zone) ids.push(zone.ZoneID);
  return ids.sort((a, b) => a - b);
}

const text = readFileSync(process.argv[2], "utf8").trimEnd();
const bag = readBag(text);
const dashboard = bag.DashboardPresModel;
if (!dashboard) throw new Error("no dashboard");
console.log(`zones ${zoneIds(dashboard).join(",")}`);
console.log(`active ${dashboard.ActiveZoneID + 1}`);
const zone: ZonePresModel | null | undefined = dashboard.Zones.get("zone-1");
console.log(`zone-1 ${zone?.ZoneCommon?.LayoutType ?? "none"}`);
const items: AnyDrawItemPresModel[] = [];
for (const z of dashboard.Zones.values()) {
  const scene = z?.PresModelHolder?.VisualPresModel?.Scene ?? null;
  if (scene) for (const list of scene.DrawFirsts) drawItems(list.DrawItems, items);
}
const groups: DrawGroupPresModel[] = items.filter((i): i is DrawGroupPresModel => i.$class === "DrawGroupPresModel");
console.log(`draw items ${items.length}, groups ${groups.length}`);
console.log(`same ${writeBag(bag) === text}`);

// One model alone, from the text of its members.
const again = readDashboardPresModel(JSON.stringify(JSON.parse(text).DashboardPresModel));
console.log(`alone ${again.Zones.size}`);

// A new model: every member at its starting value; written, it names its null members.
try {
  write(create("ZoneVisibilityFromFieldPresModel"));
} catch (e) {
  console.log(`new: ${(e as Error).message} at ${(e as { path: string }).path}`);
}

// Errors carry their place; a lenient read lists what it left out.
const broken = process.argv[3];
try {
  readBag(broken);
} catch (e) {
  if (e instanceof WireError) console.log(`error ${e.offset} ${e.path}: ${e.reason}`);
}
console.log(`lenient ${readBagLenient(process.argv[4]).skipped.map((s) => `${s.offset} ${s.path}: ${s.reason}`).join("; ")}`);

// What the types refuse.
// @ts-expect-error: a member's value has its own type: a number, not its text
const wrongType: DashboardPresModel["ActiveZoneID"] = "3";
// @ts-expect-error: not a text of the enumeration
const wrongText: ZonePresModel["ZoneCommon"] = { $class: "ZoneCommonPresModel", LayoutType: "no-such-layout" };
// @ts-expect-error: a member of a class below the root needs the class told first
const notNarrowed = items[0].DrawItems;
// @ts-expect-error: a model names its class
const noClass: DrawGroupPresModel = { ...groups[0], $class: undefined };
void [wrongType, wrongText, notNarrowed, noClass];
