%VIGORSHEET  Score map of how far plane 2 is from normal where planes differ.
%   S = VIGORSHEET(PLANE0, PLANE1, PLANE2, M, N, W, THRESHOLD) looks at the
%   11-by-11 window centred on every pixel at least 5 rows and 5 columns from
%   each edge. Where the three planes are not alike enough (score below
%   THRESHOLD), the pixel gets 1 - D, D being the distance between PLANE2's
%   normalized histogram and the normal density fitted to the window's mean
%   and deviation. Every other element, including the 5-pixel border and
%   windows in which PLANE2 is constant, is 1.
%
%   Inputs
%     PLANE0,
%     PLANE1,
%     PLANE2     three M-by-N image planes, grey levels: every pixel must lie
%                above -1 and below 256.
%     M, N       rows and columns of the planes and of S, real numbers
%                truncated toward zero (11.7 counts as 11).
%     W          the weights, a real double array; only W(1:3) are read.
%     THRESHOLD  the lowest score that counts as alike, a real number.
%
%   Output
%     S   M-by-N double, no element above 1. Nearly constant windows (a tiny
%         but nonzero deviation) have a tall fitted density and so a large D:
%         elements far below 0 are normal. When M or N is at most 10 no window
%         fits and S is all 1; a negative or NaN M or N gives an empty S
%         (0 rows or 0 columns).
%
%   Details
%     Bin b of a window's 256-bin histogram counts the pixels whose value
%     truncates to b (-0.5 counts in bin 0, 255.9 in bin 255). The three
%     planes' histograms are compared pairwise by cosine similarity, giving
%     T0 (planes 0 and 1), T1 (0 and 2) and T2 (1 and 2), and weighed into
%     the score ((0 + W(1)*T0) + W(2)*T1) + W(3)*T2. PLANE2's histogram is
%     scaled by 1/121; the mean and the sample deviation (over 120) use the
%     values themselves, fractions included; the density at grey level k is
%     exp(-(k-mean)^2/(2*dev^2)) / (sqrt(6.28318)*dev), and D is the square
%     root of the sum over k = 0..255 of the squared differences. A score
%     equal to THRESHOLD is alike; a NaN THRESHOLD or weight is never alike.
%     Results are exact to the last bit for this order of operations.
%
%   Errors (identifier: cause)
%     "func: vigorsheet() requires 7 input arguments."  wrong input count
%     "func: vigorsheet() requires 1 output argument."   output count not 1
%                                                        (call it with an output)
%     planestat:vigorsheet:notRealDouble  a plane or W is not a real, full
%                                         double array
%     planestat:vigorsheet:notRealScalar  M, N or THRESHOLD is not one real
%                                         number
%     planestat:vigorsheet:tooFewValues   when M and N exceed 10 (some window
%                                         fits): a plane holds fewer than M*N
%                                         values or W fewer than 3
%     planestat:vigorsheet:badPixel       a pixel has no bin (NaN, Inf, <= -1
%                                         or >= 256); the message names the
%                                         plane, its row and column, and the
%                                         value
%
%   Example
%     P = 100 * ones (11);  P(4,8) = 101;
%     S = vigorsheet (P, P, P, 11, 11, [1 1 1], Inf);
%     S(6,6)   % about -2.4: one odd pixel among 120 equal ones
%
%   See also ANCHORFIELD, VIGORFIELD, MOODCULL, STILLCULL.

% Help text only: the function itself is the compiled MEX file of the same name.

%!function P = one_window (values)
%! # 11-by-11 plane whose (whole) window holds VALUES row by row.
%! P = reshape (values, 11, 11)';
%!endfunction

%!function [score, dist] = window_stats (P0, P1, P2, w)
%! # One 11-by-11 window, recomputed in the defined order: rows outer.
%! planes = {P0, P1, P2};
%! h = zeros (3, 256);
%! for r = 1:11
%!   for c = 1:11
%!     for p = 1:3
%!       h(p, fix (planes{p}(r,c)) + 1) += 1;
%!     end
%!   end
%! end
%! fit = h(3,:) * 0.008264462809917356;
%! for p = 1:3
%!   s = 0;
%!   for k = 1:256
%!     s = s + h(p,k) * h(p,k);
%!   end
%!   h(p,:) = h(p,:) / sqrt (s);
%! end
%! t = zeros (1, 3);
%! for k = 1:256
%!   t(1) = t(1) + h(1,k) * h(2,k);
%!   t(2) = t(2) + h(1,k) * h(3,k);
%!   t(3) = t(3) + h(2,k) * h(3,k);
%! end
%! score = ((0 + w(1) * t(1)) + w(2) * t(2)) + w(3) * t(3);
%! s = 0;
%! for r = 1:11
%!   for c = 1:11
%!     s = s + P2(r,c);
%!   end
%! end
%! m = s * 0.008264462809917356;
%! q = 0;
%! for r = 1:11
%!   for c = 1:11
%!     q = q + (P2(r,c) - m) * (P2(r,c) - m);
%!   end
%! end
%! dev = sqrt (q * 0.008333333333333333);
%! e = 0;
%! for k = 0:255
%!   d = k - m;
%!   pk = exp (-((d * d) / (dev * dev + dev * dev))) * (1 / (sqrt (6.28318) * dev));
%!   e = e + (pk - fit(k+1)) * (pk - fit(k+1));
%! end
%! dist = sqrt (e);
%!endfunction

%!shared rare, bell, wide, centre
%! rare = one_window ([100 * ones(1, 120), 101]);
%! bell = one_window (repelem (94:106, [1 2 4 9 15 19 21 19 15 9 4 2 1]));
%! wide = one_window (repelem ([0 200], [60 61]));
%! centre = @(S) S(6,6);

%!test  # no window fits: all 1, and the planes and weights are not read
%! assert (vigorsheet ([], [], [], 10, 11, [], 0), ones (10, 11));
%! assert (vigorsheet ([], [], [], 11, 10.99, [], 0), ones (11, 10));
%! assert (size (vigorsheet ([], [], [], -Inf, 4, [], 0)), [0 4]);

%!test  # 1 - distance below the threshold, recomputed here to the last bit
%! w = [1 1 1];
%! for P = {bell, wide, rare}
%!   [~, dist] = window_stats (P{1}, P{1}, P{1}, w);
%!   expected = ones (11);
%!   expected(6,6) = 1 - dist;
%!   assert (vigorsheet (P{1}, P{1}, P{1}, 11, 11, w, Inf), expected);
%!   assert (vigorsheet (P{1}, P{1}, P{1}, 11, 11, w, NaN), expected);
%!   assert (vigorsheet (P{1}, P{1}, P{1}, 11, 11, [1 NaN 1], -Inf), expected);
%!   assert (vigorsheet (P{1}, P{1}, P{1}, 11, 11, w, -Inf), ones (11));
%! end
%! assert (centre (vigorsheet (rare, rare, rare, 11, 11, w, Inf)) < -2);
%! flat = 37 * ones (11);
%! assert (vigorsheet (flat, flat, flat, 11, 11, w, Inf), ones (11));

%!test  # a score equal to the threshold is alike; one step up it is not
%! P0 = mod (bell * 1.37, 255);
%! P1 = 255 - bell;
%! w = [0.3 0.7 0.1];
%! [score, dist] = window_stats (P0, P1, bell, w);
%! assert (centre (vigorsheet (P0, P1, bell, 11, 11, w, score)), 1);
%! assert (centre (vigorsheet (P0, P1, bell, 11, 11, w, score + eps (score))), 1 - dist);

%!test  # the 5-pixel border stays 1; fractional pixel values near both ends
%! rand ("seed", 7);
%! P = -0.999 + rand (23, 31, 3) * 256.998;
%! S = vigorsheet (P(:,:,1), P(:,:,2), P(:,:,3), 23, 31, [1 1 1], Inf);
%! border = true (23, 31);
%! border(6:18, 6:26) = false;
%! assert (all (S(border) == 1));
%! assert (all (S(~border) < 1));

%!test  # a 512-by-512 three-plane call
%! rand ("seed", 1);
%! P = floor (rand (512, 512, 3) * 256);
%! S = vigorsheet (P(:,:,1), P(:,:,2), P(:,:,3), 512, 512, [1 1 1], 1.5);
%! assert (size (S), [512 512]);
%! assert (all (S(:) <= 1));
%! assert (any (S(:) < 1));

%!error <func: vigorsheet\(\) requires 7 input arguments\.> vigorsheet (1)
%!error <func: vigorsheet\(\) requires 7 input arguments\.> x = vigorsheet (1, 1, 1, 1, 1, 1, 1, 1, 1);
%!error <func: vigorsheet\(\) requires 1 output argument\.> vigorsheet (1, 1, 1, 1, 1, 1, 1)
%!error <func: vigorsheet\(\) requires 1 output argument\.> [a, b] = vigorsheet (1, 1, 1, 1, 1, 1, 1);
%!error id=planestat:vigorsheet:notRealDouble x = vigorsheet (1, 1i, 1, 1, 1, 1, 1);
%!error id=planestat:vigorsheet:notRealScalar x = vigorsheet (1, 1, 1, 1, {1}, 1, 1);
%!error <input 3 \(plane 2\) holds 100 values, fewer than the 121 that a map of 11 rows and 11 columns needs> x = vigorsheet (ones (11), ones (11), ones (10), 11, 11, [1 1 1], 0);
%!error id=planestat:vigorsheet:tooFewValues x = vigorsheet (ones (11), ones (11), ones (11), 11, 11, [], 0);
%!error <plane 0 \(input 1\) holds -Inf at row 11, column 11; pixel values must lie above -1 and below 256> P = ones (11); P(11,11) = -Inf; x = vigorsheet (P, ones (11), ones (11), 11, 11, [1 1 1], 0);
%!error id=planestat:vigorsheet:badPixel P = ones (11); P(6,6) = 256; x = vigorsheet (ones (11), ones (11), P, 11, 11, [1 1 1], 0);
